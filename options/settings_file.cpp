#include "options/settings_file.h"

#include "ui/profile.h"
#include "ui/profile_section.h"
#include "ui/temporary_name.h"
#include "ui/wide_path.h"

#include <windows.h>

#include <cstdio>
#include <span>
#include <variant>

namespace {

const char* const OPTION_SECTION = "Option";
const char* const USER_FUNCTION_SECTION = "User Function";
const char* const COLOR_SECTION = "Color & Style";

// One key of a fixed section and the field it stores. The field is reached
// through an accessor so that the members of the window rectangle fit too.
using int_field = std::int32_t& (*)(settings&);
using bool_field = bool& (*)(settings&);
using string_field = std::string& (*)(settings&);

struct profile_key {
    const char* name;
    std::variant<int_field, bool_field, string_field> field;
};

template <auto member>
auto& field_of(settings& record) {
    return record.*member;
}

// Keys in the order in which they are written and read.
const profile_key option_keys[] = {
    {"Answer Mode", int_field{field_of<&settings::answer_mode>}},
    {"Angle Mode", int_field{field_of<&settings::angle_mode>}},
    {"Ans Precision", bool_field{field_of<&settings::ans_precision>}},
    {"Begin Show", bool_field{field_of<&settings::begin_show>}},
    {"ESC Hide", bool_field{field_of<&settings::esc_hide>}},
    {"Precision", int_field{field_of<&settings::precision>}},
    {"Exp Translate", int_field{field_of<&settings::exp_translate>}},
    {"Replace Ans", bool_field{field_of<&settings::replace_ans>}},
    {"Show NC Ans", bool_field{field_of<&settings::show_nc_ans>}},
    {"Show ()", bool_field{field_of<&settings::show_parens>}},
    {"Show Top", bool_field{field_of<&settings::show_top>}},
    {"Hotkey", int_field{field_of<&settings::hotkey>}},
    {"Show Position", int_field{field_of<&settings::show_position>}},
    {"Send Ans", bool_field{field_of<&settings::send_ans>}},
    {"Send Exp", bool_field{field_of<&settings::send_exp>}},
    {"After Send", int_field{field_of<&settings::after_send>}},
    {"Disable Resize", bool_field{field_of<&settings::disable_resize>}},
    {"Show Tray", bool_field{field_of<&settings::show_tray>}},
    {"Comma", bool_field{field_of<&settings::comma>}},
};

const profile_key color_keys[] = {
    {"Main Frame Color", int_field{field_of<&settings::main_frame_color>}},
    {"Main Frame Style", int_field{field_of<&settings::main_frame_style>}},
    {"Main Back Color", int_field{field_of<&settings::main_back_color>}},
    {"Main Icon File", string_field{field_of<&settings::main_icon_file>}},
    {"Exp Frame Color", int_field{field_of<&settings::exp_frame_color>}},
    {"Exp Frame Style", int_field{field_of<&settings::exp_frame_style>}},
    {"Exp Back Color", int_field{field_of<&settings::exp_back_color>}},
    {"Exp Font Color", int_field{field_of<&settings::exp_font_color>}},
    {"Exp Font Name", string_field{field_of<&settings::exp_font_name>}},
    {"Exp Font Size", int_field{field_of<&settings::exp_font_size>}},
    {"Ans Frame Color", int_field{field_of<&settings::ans_frame_color>}},
    {"Ans Frame Style", int_field{field_of<&settings::ans_frame_style>}},
    {"Ans Back Color", int_field{field_of<&settings::ans_back_color>}},
    {"Ans Font Color", int_field{field_of<&settings::ans_font_color>}},
    {"Ans Error Color", int_field{field_of<&settings::ans_error_color>}},
    {"Ans NC Color", int_field{field_of<&settings::ans_nc_color>}},
    {"Ans Font Name", string_field{field_of<&settings::ans_font_name>}},
    {"Ans Font Size", int_field{field_of<&settings::ans_font_size>}},
    {"Left", int_field{[](settings& record) -> std::int32_t& { return record.window_rect.left; }}},
    {"Top", int_field{[](settings& record) -> std::int32_t& { return record.window_rect.top; }}},
    {"Right", int_field{[](settings& record) -> std::int32_t& { return record.window_rect.right; }}},
    {"Bottom", int_field{[](settings& record) -> std::int32_t& { return record.window_rect.bottom; }}},
};

template <class... handlers>
struct overloaded : handlers... {
    using handlers::operator()...;
};

void read_keys(const profile_section& section, std::span<const profile_key> keys, settings& record) {
    settings defaults;
    for (const profile_key& key : keys) {
        std::visit(
            overloaded{
                [&](int_field field) { field(record) = section.read_int(key.name, field(defaults)); },
                [&](bool_field field) { field(record) = section.read_bool(key.name, field(defaults)); },
                [&](string_field field) { field(record) = section.read_string(key.name, field(defaults)); },
            },
            key.field);
    }
}

bool write_keys(const char* section, std::span<const profile_key> keys, const settings& record,
                const std::string& file_name) {
    // The accessors work on a modifiable record, shared with reading.
    settings source = record;
    bool written = true;
    for (const profile_key& key : keys) {
        written = std::visit(overloaded{
                                 [&](int_field field) {
                                     return write_profile_int(section, key.name, field(source), file_name);
                                 },
                                 [&](bool_field field) {
                                     return write_profile_bool(section, key.name, field(source), file_name);
                                 },
                                 [&](string_field field) {
                                     return write_profile_string(section, key.name, field(source), file_name);
                                 },
                             },
                             key.field) &&
                  written;
    }
    return written;
}

std::string numbered_key(char prefix, std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%zu", prefix, index);
    return name;
}

// A negative count reads as an empty list.
std::size_t read_count(const profile_section& section, const char* key, std::size_t limit) {
    const int count = section.read_int(key, 0);
    if (count < 0)
        return 0;
    return static_cast<std::size_t>(count) < limit ? static_cast<std::size_t>(count) : limit;
}

void read_user_functions(const profile_section& section, settings& record) {
    record.user_function_texts.assign(read_count(section, "Size", USER_FUNCTION_LIMIT), std::string());
    for (std::size_t i = 0; i < record.user_function_texts.size(); ++i)
        record.user_function_texts[i] = section.read_string(numbered_key('f', i).c_str(), "");

    record.shortcut_keys.assign(read_count(section, "KeySize", SHORTCUT_KEY_LIMIT), shortcut_key());
    for (std::size_t i = 0; i < record.shortcut_keys.size(); ++i)
        record.shortcut_keys[i] = shortcut_key::from_text(
            section.read_string(numbered_key('k', i).c_str(), ""));
}

// Keys numbered beyond the current counts, left from a longer list, stay in
// the file; the counts keep them from being read.
bool write_user_functions(const settings& record, const std::string& file_name) {
    const auto& texts = record.user_function_texts;
    bool written = write_profile_int(USER_FUNCTION_SECTION, "Size", static_cast<int>(texts.size()),
                                     file_name);
    for (std::size_t i = 0; i < texts.size(); ++i)
        written = write_profile_string(USER_FUNCTION_SECTION, numbered_key('f', i).c_str(), texts[i],
                                       file_name) &&
                  written;

    const auto& keys = record.shortcut_keys;
    written = write_profile_int(USER_FUNCTION_SECTION, "KeySize", static_cast<int>(keys.size()), file_name) &&
              written;
    for (std::size_t i = 0; i < keys.size(); ++i)
        written = write_profile_string(USER_FUNCTION_SECTION, numbered_key('k', i).c_str(), keys[i].to_text(),
                                       file_name) &&
                  written;
    return written;
}

bool exists(const std::string& path) { return GetFileAttributesW(wide_path(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool is_read_only(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The copy's bytes reach the disk before it replaces the file, so that a power
// cut right after the save leaves the old file or the new one, not an empty one.
bool flush_to_disk(const std::string& path) {
    HANDLE file = CreateFileW(wide_path(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

// The values go one by one into the file, so a failure half-way (disk full)
// would leave it half old and half new; they go to a copy instead, which
// replaces the file in one step once all are written.
bool write_copy_and_replace(const settings& record, const std::string& file_name) {
    const std::string copy = temporary_name(file_name);
    const std::wstring wide_copy = wide_path(copy);
    const std::wstring wide_file = wide_path(file_name);
    DeleteFileW(wide_copy.c_str());
    // Keys this program no longer reads stay, as they would in the file itself.
    if (exists(file_name) && !CopyFileW(wide_file.c_str(), wide_copy.c_str(), FALSE))
        return false;
    bool written = write_keys(OPTION_SECTION, option_keys, record, copy);
    written = write_user_functions(record, copy) && written;
    written = write_keys(COLOR_SECTION, color_keys, record, copy) && written;
    // The platform may hold the values in a cache: this puts them on the disk.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide_copy.c_str());
    written = written && flush_to_disk(copy);
    if (written &&
        MoveFileExW(wide_copy.c_str(), wide_file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(wide_copy.c_str());
    return false;
}

} // namespace

void load_settings(settings& record, const std::string& file_name) {
    read_keys(profile_section(OPTION_SECTION, file_name), option_keys, record);
    read_user_functions(profile_section(USER_FUNCTION_SECTION, file_name), record);
    read_keys(profile_section(COLOR_SECTION, file_name), color_keys, record);
}

// A read-only file is the user's wish that it stay as it is.
bool save_settings(const settings& record, const std::string& file_name) {
    return !is_read_only(file_name) && write_copy_and_replace(record, file_name);
}
