#include "ui/wide_path.h"

#ifdef _WIN32
#include <windows.h>

std::wstring wide_path(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

namespace {

std::string narrow(std::wstring_view wide, UINT code_page) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(code_page, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace

std::string utf8_path(std::wstring_view wide) { return narrow(wide, CP_UTF8); }

std::FILE* open_path(const std::string& utf8, const char* mode) {
    return _wfopen(wide_path(utf8).c_str(), wide_path(mode).c_str());
}

bool remove_path(const std::string& utf8) { return DeleteFileW(wide_path(utf8).c_str()) != FALSE; }

std::string path_for_display(const std::string& utf8) { return narrow(wide_path(utf8), CP_ACP); }

#else

std::FILE* open_path(const std::string& utf8, const char* mode) { return std::fopen(utf8.c_str(), mode); }
bool remove_path(const std::string& utf8) { return std::remove(utf8.c_str()) == 0; }
std::string path_for_display(const std::string& utf8) { return utf8; }

#endif
