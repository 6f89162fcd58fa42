// libFuzzer target: the loaders of the files a user or another program may
// have written, fed the same bytes each:
//   - "history.txt" and "var.txt" (the line reader, splitting, history store
//     and variable values);
//   - the user function texts and shortcut keys as the settings file hands
//     them over, one value per line (the definitions, their Alt+key table).
// Each loader must stay within its limits and report nothing as loaded that
// it did not load.
#include "app/function_keys.h"
#include "calc/history_file.h"
#include "calc/history_store.h"
#include "calc/line_reader.h"
#include "calc/user_function_loader.h"
#include "calc/variable_file.h"
#include "engine/calculator.h"
#include "options/settings_file.h"
#include "options/shortcut_key.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The lines of the text up to the first CR or LF each, as the settings
// file's values arrive: a value is never more than one line.
std::vector<std::string> values(std::string_view text, std::size_t limit) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size() && lines.size() < limit) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                                                 : end - start);
        lines.emplace_back(line.substr(0, line.find('\r')));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// The text as an open file, as the loaders read it (in memory: no disk).
std::unique_ptr<std::FILE, int (*)(std::FILE*)> open_text(const std::string& text) {
    return {fmemopen(const_cast<char*>(text.data()), text.size(), "rb"), &std::fclose};
}

void load_history_text(const std::string& text) {
    const auto in = open_text(text);
    history_store history;
    if (in)
        load_history(in.get(), history);
    check(history.size() <= HISTORY_LIMIT);
    for (const history_entry& entry : history) {
        check(entry.expression.size() <= LINE_LENGTH_LIMIT && entry.answer.size() <= LINE_LENGTH_LIMIT);
        check(entry.expression.find('\n') == std::string::npos &&
              entry.answer.find('\n') == std::string::npos);
    }
}

void load_variable_text(const std::string& text) {
    const auto in = open_text(text);
    cal::calculator calc;
    const std::size_t before = calc.variables.size();
    if (in)
        load_variables(in.get(), calc);
    // Lines end in LF, CR or CRLF, the last one perhaps without an end; in
    // UTF-16 the ends keep their byte.
    std::size_t lines = 1;
    for (char c : text)
        lines += c == '\n' || c == '\r';
    check(calc.variables.size() <= before + lines);
    for (const auto& [name, value] : calc.variables) {
        check(name.find('\n') == std::string::npos);
        check(std::isfinite(value));
    }
}

void load_user_function_text(std::string_view text) {
    const std::vector<std::string> texts = values(text, USER_FUNCTION_LIMIT);
    cal::calculator calc;
    const std::size_t skipped = define_user_functions(calc, texts);
    check(skipped <= texts.size());
    check(calc.user_functions.size() == texts.size() - skipped);

    std::vector<shortcut_key> keys;
    for (const std::string& key_text : values(text, SHORTCUT_KEY_LIMIT)) {
        const shortcut_key key = shortcut_key::from_text(key_text);
        check(shortcut_key::from_text(key.to_text()) == key);
        keys.push_back(key);
    }
    const function_key_table table = resolve_function_keys(keys, texts);
    check(table.size() <= keys.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        check(call_for_key(table, table[i].key) == &table[i].call);
        check(table[i].call.caret_back >= 0 &&
              static_cast<std::size_t>(table[i].call.caret_back) <= table[i].call.text.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    load_history_text(text);
    load_variable_text(text);
    load_user_function_text(text);
    return 0;
}
