#include "ui/profile_section.h"

#include <windows.h>

#include "ui/wide_path.h"

#include <cstdint>
#include <vector>

namespace {

constexpr UINT SHIFT_JIS = 932;
constexpr DWORD BUFFER_STEP = 4096;
// Far above any file the program writes; a damaged file cannot make the
// buffer grow without end.
constexpr DWORD LARGEST_BUFFER_SIZE = 0x1000000;

std::string lower_case(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && is_blank(text[first]))
        ++first;
    while (last > first && is_blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// A value between matching single or double quotes is read without them.
std::string unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The program's texts are Shift-JIS; the file is read through the wide
// functions, so that its path may hold any character.
std::vector<char> shift_jis_from(const std::vector<wchar_t>& wide) {
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(SHIFT_JIS, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::vector<char> text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(SHIFT_JIS, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// Every "key=value" of the section, as the platform hands them out: one
// string each, an empty string after the last. A section that does not fit
// comes back cut, with the length the buffer size minus two.
std::vector<char> section_text(const char* section, const std::string& file_name) {
    const std::wstring path = wide_path(file_name);
    const std::wstring wide_section = wide_path(section);
    std::vector<wchar_t> buffer;
    for (DWORD size = BUFFER_STEP;; size *= 2) {
        buffer.assign(size, L'\0');
        const DWORD length = GetPrivateProfileSectionW(wide_section.c_str(), buffer.data(), size, path.c_str());
        if (length + 2 < size || size >= LARGEST_BUFFER_SIZE) {
            buffer.resize(length < size ? length : size - 1);
            buffer.push_back(L'\0');
            return shift_jis_from(buffer);
        }
    }
}

} // namespace

profile_section::profile_section(const char* section, const std::string& file_name) {
    const std::vector<char> text = section_text(section, file_name);
    for (std::size_t at = 0; at + 1 < text.size();) {
        const std::string line(text.data() + at);
        at += line.size() + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue; // a line without a value, as the single reads also skip it
        values_.emplace(lower_case(trimmed(line.substr(0, equals))), trimmed(line.substr(equals + 1)));
    }
}

const std::string* profile_section::find(const char* key) const {
    const auto found = values_.find(lower_case(key));
    return found == values_.end() ? nullptr : &found->second;
}

std::string profile_section::read_string(const char* key, const std::string& default_text) const {
    const std::string* value = find(key);
    return value ? unquoted(*value) : default_text;
}

// Decimal digits after blanks and a sign, as the platform's integer read
// takes them; more digits than fit wrap around as they do there.
int profile_section::read_int(const char* key, int default_value) const {
    const std::string text = read_string(key, "");
    if (text.empty())
        return default_value;
    std::size_t at = 0;
    while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ')
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    std::uint32_t total = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        total = total * 10u + static_cast<std::uint32_t>(text[at] - '0');
    return static_cast<int>(negative ? 0u - total : total);
}

bool profile_section::read_bool(const char* key, bool default_flag) const {
    const std::string* value = find(key);
    return value ? unquoted(*value) == "Yes" : default_flag;
}
