#include "calc/line_reader.h"

#include <memory>
#include <new>

namespace {

// read_line, taking what it reads from budget; false also when the budget
// runs out, even in the middle of a line.
bool read_line_within(std::FILE* in, std::string& line, std::size_t& budget) {
    for (;;) {
        line.clear();
        bool too_long = false;
        for (int c = std::getc(in); c != '\n'; c = std::getc(in)) {
            // The text ran out (or the read failed) before a line feed: an
            // unterminated last line, which is not loaded.
            if (c == EOF || budget == 0)
                return false;
            --budget;
            if (line.size() < LINE_LENGTH_LIMIT)
                line.push_back(static_cast<char>(c));
            else
                too_long = true;
        }
        if (budget > 0)
            --budget;
        if (!too_long) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
    }
}

} // namespace

bool read_line(std::FILE* in, std::string& line) {
    std::size_t unlimited = static_cast<std::size_t>(-1);
    return read_line_within(in, line, unlimited);
}

line_parts split_line(std::string_view line) {
    const auto p = line.find_last_of(" =");
    if (p == std::string_view::npos)
        return {line, line};
    // The left part ends two characters before p, in front of " =".
    const auto left = p < 2 ? line : line.substr(0, p - 2);
    return {left, line.substr(p + 1)};
}

void for_each_split_line(std::FILE* in, const split_line_use& use) {
    std::string line;
    std::size_t budget = FILE_SIZE_LIMIT;
    try {
        for (std::size_t lines = 0; lines < FILE_LINE_LIMIT && read_line_within(in, line, budget); ++lines) {
            const auto [left, right] = split_line(line);
            use(left, right);
        }
    } catch (const std::bad_alloc&) {
        // A line too long for memory ends the loading; what was read stays.
    }
}

bool for_each_split_line(const std::string& path, const split_line_use& use) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        return false;
    for_each_split_line(in.get(), use);
    return true;
}
