#include "ui/profile.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const YES_TEXT = "Yes";
const char* const NO_TEXT = "No";

constexpr DWORD BUFFER_STEP = 256;
// The platform hands out well under 64 KiB of one value; past this size a
// misbehaving read cannot keep the loop going.
constexpr DWORD LARGEST_BUFFER_SIZE = 0x100000;

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

int read_profile_int(const char* section, const char* key, int default_value, int& value,
                     const std::string& file_name) {
    value = static_cast<int>(GetPrivateProfileIntA(section, key, default_value, file_name.c_str()));
    return value;
}

// The platform cuts a value that does not fit and then returns the buffer
// size minus one, so a value is known to be whole only when more than two
// bytes of the buffer are left over.
void read_profile_string(const char* section, const char* key, const std::string& default_text,
                         std::string& text, const std::string& file_name) {
    std::vector<char> buffer;
    DWORD size = BUFFER_STEP;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileStringA(section, key, default_text.c_str(), buffer.data(), size,
                                          file_name.c_str());
        if (size - length > 2 || size >= LARGEST_BUFFER_SIZE)
            break;
        size += BUFFER_STEP;
    }
    text.assign(buffer.data(), length < size ? length : size - 1);
}

void read_profile_bool(const char* section, const char* key, bool default_flag, bool& flag,
                       const std::string& file_name) {
    std::string text;
    read_profile_string(section, key, default_flag ? YES_TEXT : NO_TEXT, text, file_name);
    flag = text == YES_TEXT;
}
