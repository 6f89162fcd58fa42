#include "ui/profile.h"

#include <windows.h>

#include <cstdio>

namespace {

const char* const YES_TEXT = "Yes";
const char* const NO_TEXT = "No";

} // namespace

bool write_profile_int(const char* section, const char* key, int value, const std::string& file_name) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(section, key, text, file_name.c_str()) != FALSE;
}

// A value is one line of the file: a line break in it would start new keys
// or sections (a pasted "x\r\nSize=9999" would rewrite the counts), so only
// the text before the first line break is stored.
bool write_profile_string(const char* section, const char* key, const std::string& text,
                          const std::string& file_name) {
    const std::string line = text.substr(0, text.find_first_of("\r\n"));
    return WritePrivateProfileStringA(section, key, line.c_str(), file_name.c_str()) != FALSE;
}

bool write_profile_bool(const char* section, const char* key, bool flag, const std::string& file_name) {
    return WritePrivateProfileStringA(section, key, flag ? YES_TEXT : NO_TEXT, file_name.c_str()) != FALSE;
}
