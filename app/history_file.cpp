#include "app/history_file.h"

#include "app/history_store.h"
#include "app/line_reader.h"
#include "app/safe_file_writer.h"

#include <fstream>
#include <iterator>
#include <new>

bool load_history(const std::string& path, history_store& history) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    try {
        // The store drops its oldest entry past the limit, so a long file
        // never holds more than HISTORY_LIMIT entries in memory.
        while (read_line(in, line)) {
            const auto [expression, answer] = split_line(line);
            history.add(std::string(expression), std::string(answer));
        }
    } catch (const std::bad_alloc&) {
        // A line too long for memory ends the loading; what was read stays.
    }
    return true;
}

bool save_history(const std::string& path, const history_store& history) {
    safe_file_writer file(path);
    for (auto entry = history.rbegin(); entry != history.rend(); ++entry) {
        file.write(entry->expression);
        file.write(" = ");
        file.write(entry->answer);
        file.write("\r\n");
    }
    return file.commit();
}
