#include "app/line_reader.h"

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
