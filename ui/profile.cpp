#include "ui/profile.h"

#include <windows.h>

#include <cstdio>

#include "ui/wide_path.h"

namespace {

const char* const YES_TEXT = "Yes";
const char* const NO_TEXT = "No";
constexpr UINT SHIFT_JIS = 932;

// Section, key and value (Shift-JIS) to the wide functions, which take a
// path in any characters.
bool write_profile_text(const char* section, const char* key, const std::string& value,
                        const std::string& file_name) {
    const int size = static_cast<int>(value.size());
    const int length = MultiByteToWideChar(SHIFT_JIS, 0, value.data(), size, nullptr, 0);
    std::wstring wide_value(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(SHIFT_JIS, 0, value.data(), size, wide_value.data(), length);
    return WritePrivateProfileStringW(wide_path(section).c_str(), wide_path(key).c_str(), wide_value.c_str(),
                                      wide_path(file_name).c_str()) != FALSE;
}

} // namespace

bool write_profile_int(const char* section, const char* key, int value, const std::string& file_name) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return write_profile_text(section, key, text, file_name);
}

// A value is one line of the file: a line break in it would start new keys
// or sections (a pasted "x\r\nSize=9999" would rewrite the counts), so only
// the text before the first line break is stored.
bool write_profile_string(const char* section, const char* key, const std::string& text,
                          const std::string& file_name) {
    const std::string line = text.substr(0, text.find_first_of("\r\n"));
    return write_profile_text(section, key, line, file_name);
}

bool write_profile_bool(const char* section, const char* key, bool flag, const std::string& file_name) {
    return write_profile_text(section, key, flag ? YES_TEXT : NO_TEXT, file_name);
}
