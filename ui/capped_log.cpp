#include "ui/capped_log.h"

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

// C stdio rather than streams: the program carries no iostreams and locales.

namespace {

constexpr std::string_view LINE_END = "\r\n";

using file_handle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The path is UTF-8: on Windows it is opened through the wide API, so that a
// folder named outside the ANSI code page works.
file_handle open_file(const std::string& path, const char* mode) {
#ifdef _WIN32
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
    return {_wfopen(wide.c_str(), wide_mode.c_str()), &std::fclose};
#else
    return {std::fopen(path.c_str(), mode), &std::fclose};
#endif
}

// The file's size; 0 when it is missing.
std::size_t file_size(const std::string& path) {
    const file_handle in = open_file(path, "rb");
    if (!in || std::fseek(in.get(), 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(in.get());
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// The file's newest lines that fit in keep bytes, starting at a line.
std::string newest_lines(const std::string& path, std::size_t keep) {
    const std::size_t size = file_size(path);
    const file_handle in = open_file(path, "rb");
    if (!in || size == 0)
        return {};
    const std::size_t start = size > keep ? size - keep : 0;
    std::string text(size - start, '\0');
    if (std::fseek(in.get(), static_cast<long>(start), SEEK_SET) != 0)
        return {};
    text.resize(std::fread(text.data(), 1, text.size(), in.get()));
    if (start > 0) {
        // The first line was cut in the middle: it goes too.
        const auto line_end = text.find('\n');
        text.erase(0, line_end == std::string::npos ? text.size() : line_end + 1);
    }
    return text;
}

bool write_all(std::FILE* out, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

} // namespace

bool append_capped_line(const std::string& path, std::string_view line, std::size_t cap) {
    const std::size_t half = cap / 2;
    if (line.size() + LINE_END.size() > half)
        line = line.substr(0, half > LINE_END.size() ? half - LINE_END.size() : 0);
    const std::size_t added = line.size() + LINE_END.size();
    std::string kept;
    const bool trim = file_size(path) + added > cap;
    if (trim)
        kept = newest_lines(path, half);
    const file_handle out = open_file(path, trim ? "wb" : "ab");
    if (!out)
        return false;
    bool written = write_all(out.get(), kept);
    written = write_all(out.get(), line) && written;
    written = write_all(out.get(), LINE_END) && written;
    return std::fflush(out.get()) == 0 && written;
}
