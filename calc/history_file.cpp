#include "calc/history_file.h"

#include "calc/history_store.h"
#include "calc/line_reader.h"

#include <iterator>

namespace {

// The store drops its oldest entry past the limit, so a long file never
// holds more than HISTORY_LIMIT entries in memory.
split_line_use adding_to(history_store& history) {
    return [&history](std::string_view expression, std::string_view answer) {
        history.add(std::string(expression), std::string(answer));
    };
}

} // namespace

bool load_history(const std::string& path, history_store& history) {
    return for_each_split_line(path, adding_to(history));
}

void load_history(std::FILE* in, history_store& history) { for_each_split_line(in, adding_to(history)); }

bool save_history(text_file_writer& file, const history_store& history) {
    for (auto entry = history.rbegin(); entry != history.rend(); ++entry) {
        file.write(entry->expression);
        file.write(" = ");
        file.write(entry->answer);
        file.write("\r\n");
    }
    return file.commit();
}
