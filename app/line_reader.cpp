#include "app/line_reader.h"

#include <memory>
#include <new>

bool read_line(std::FILE* in, std::string& line) {
    line.clear();
    for (int c = std::getc(in); c != '\n'; c = std::getc(in)) {
        // The text ran out (or the read failed) before a line feed: an
        // unterminated last line, which is not loaded.
        if (c == EOF)
            return false;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

line_parts split_line(std::string_view line) {
    const auto p = line.find_last_of(" =");
    if (p == std::string_view::npos)
        return {line, line};
    // The left part ends two characters before p, in front of " =".
    const auto left = p < 2 ? line : line.substr(0, p - 2);
    return {left, line.substr(p + 1)};
}

bool for_each_split_line(const std::string& path,
                         const std::function<void(std::string_view left, std::string_view right)>& use) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        return false;
    std::string line;
    try {
        while (read_line(in.get(), line)) {
            const auto [left, right] = split_line(line);
            use(left, right);
        }
    } catch (const std::bad_alloc&) {
        // A line too long for memory ends the loading; what was read stays.
    }
    return true;
}
