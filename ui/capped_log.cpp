#include "ui/capped_log.h"

#include <fstream>
#include <iterator>

namespace {

constexpr std::string_view LINE_END = "\r\n";

// The file's newest lines that fit in keep bytes, starting at a line.
std::string newest_lines(const std::string& path, std::size_t keep) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0)
        return {};
    const auto start = static_cast<std::size_t>(size) > keep ? static_cast<std::size_t>(size) - keep : 0;
    in.seekg(static_cast<std::streamoff>(start));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (start > 0) {
        // The first line was cut in the middle: it goes too.
        const auto line_end = text.find('\n');
        text.erase(0, line_end == std::string::npos ? text.size() : line_end + 1);
    }
    return text;
}

std::uintmax_t file_size(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    return size > 0 ? static_cast<std::uintmax_t>(size) : 0;
}

} // namespace

bool append_capped_line(const std::string& path, std::string_view line, std::size_t cap) {
    const std::size_t half = cap / 2;
    if (line.size() + LINE_END.size() > half)
        line = line.substr(0, half > LINE_END.size() ? half - LINE_END.size() : 0);
    const std::size_t added = line.size() + LINE_END.size();
    if (file_size(path) + added > cap) {
        const std::string kept = newest_lines(path, half);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << kept << line << LINE_END;
        return static_cast<bool>(out.flush());
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << line << LINE_END;
    return static_cast<bool>(out.flush());
}
