#include "app/line_reader.h"

#include <fstream>
#include <new>

bool read_line(std::istream& in, std::string& line) {
    // getline sets eof only when the text ran out before a line feed, that is
    // for an unterminated last line, which is not loaded.
    if (!std::getline(in, line) || in.eof())
        return false;
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
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    try {
        while (read_line(in, line)) {
            const auto [left, right] = split_line(line);
            use(left, right);
        }
    } catch (const std::bad_alloc&) {
        // A line too long for memory ends the loading; what was read stays.
    }
    return true;
}
