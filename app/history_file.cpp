#include "app/history_file.h"

#include "app/history_store.h"
#include "app/line_reader.h"
#include "app/safe_file_writer.h"

#include <iterator>

bool load_history(const std::string& path, history_store& history) {
    // The store drops its oldest entry past the limit, so a long file never
    // holds more than HISTORY_LIMIT entries in memory.
    return for_each_split_line(path, [&](std::string_view expression, std::string_view answer) {
        history.add(std::string(expression), std::string(answer));
    });
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
