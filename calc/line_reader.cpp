#include "calc/line_reader.h"

#include "calc/text_encoding.h"

#include <algorithm>
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

namespace {

// The file's bytes up to FILE_SIZE_LIMIT.
std::string read_bytes(std::FILE* in) {
    std::string bytes;
    char block[65536];
    while (bytes.size() < FILE_SIZE_LIMIT) {
        const std::size_t wanted = std::min(sizeof block, FILE_SIZE_LIMIT - bytes.size());
        const std::size_t got = std::fread(block, 1, wanted, in);
        bytes.append(block, got);
        if (got < wanted)
            break;
    }
    return bytes;
}

} // namespace

void for_each_text_line(std::string_view text, const std::function<void(std::string_view)>& use) {
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size() && lines < FILE_LINE_LIMIT;) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end - start <= LINE_LENGTH_LIMIT) {
            use(text.substr(start, end - start));
            ++lines;
        }
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

void for_each_split_line(std::FILE* in, const split_line_use& use) {
    try {
        const native_text text = to_native_text(read_bytes(in));
        for_each_text_line(text.text, [&](std::string_view line) {
            const auto [left, right] = split_line(line);
            use(left, right);
        });
    } catch (const std::bad_alloc&) {
        // A file too large for memory ends the loading; what was read stays.
    }
}

bool for_each_split_line(const std::string& path, const split_line_use& use) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        return false;
    for_each_split_line(in.get(), use);
    return true;
}
