#include "app/data_files.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "app/safe_file_writer.h"
#include "app/shift_jis_conversion.h"
#include "calc/text_encoding.h"
#include "calc/history_file.h"
#include "calc/variable_file.h"
#include "options/settings_file.h"
#include "options/settings_ranges.h"
#include "resources/resource.h"
#include "ui/exception_guard.h"
#include "ui/program_resources.h"
#include "ui/wide_path.h"

namespace {

// A save's result; false when it threw (a file too large for memory), which
// is logged like any exception caught at a boundary.
template <typename Save>
bool saved(Save&& save) {
    return guarded(std::forward<Save>(save), [] { return false; });
}

// Why an existing file cannot be opened for reading, in the system's words;
// empty when it can, or when there is no such file.
std::string unreadable_reason(const std::string& file) {
    HANDLE handle = CreateFileW(wide_path(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return {};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {};
    char text[512] = {};
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                        sizeof text, nullptr))
        std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(error));
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n'))
        reason.pop_back();
    return reason;
}

using open_file = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

open_file open_for_reading(const std::string& file) { return open_file(open_path(file, "rb"), &std::fclose); }

// The whole file, when it opens.
bool read_whole(const std::string& file, std::string& bytes) {
    const open_file in = open_for_reading(file);
    if (!in)
        return false;
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, in.get())) > 0;)
        bytes.append(block, got);
    return true;
}

} // namespace

data_files::data_files(std::string directory) : directory_(std::move(directory)) {
    install_shift_jis_conversion();
}

std::string data_files::path(const char* name) const { return directory_ + name; }

std::string data_files::settings_path() const { return path(load_text(IDS_SETTINGS_FILE).c_str()); }

void data_files::hold_if_unreadable(const std::string& file) {
    const std::string reason = unreadable_reason(file);
    if (reason.empty())
        return;
    held_.insert(file);
    unread_reports_.push_back(path_for_display(file) + "\r\n    " + reason);
}

void data_files::note_lost_characters(const std::string& file) {
    if (take_lost_characters())
        lossy_files_.push_back(path_for_display(file));
}

// The system's profile functions read only the program's own code page: a
// "Tarvik.ini" an editor saved as UTF-8 with a BOM hides its first section
// from them, and one in UTF-16 more. Such a file is put back in the
// program's form before it is read.
void data_files::convert_settings_file() {
    const std::string file = settings_path();
    std::string bytes;
    if (held(file) || !read_whole(file, bytes) || detect_encoding(bytes) == text_encoding::native)
        return;
    const native_text text = to_native_text(bytes);
    note_lost_characters(file);
    safe_file_writer converted(file);
    converted.write(text.text);
    converted.commit();
}

void data_files::load_settings(settings& record) {
    hold_if_unreadable(settings_path());
    convert_settings_file();
    ::load_settings(record, settings_path());
    file_settings_ = record;
}

void data_files::load_lists(calculator_session& session, HWND owner) {
    hold_if_unreadable(path(HISTORY_FILE_NAME));
    hold_if_unreadable(path(VARIABLE_FILE_NAME));
    take_lost_characters();
    // A missing file leaves the history empty and the variables as they are.
    session.load_history(open_for_reading(path(HISTORY_FILE_NAME)).get());
    note_lost_characters(path(HISTORY_FILE_NAME));
    session.load_variables(open_for_reading(path(VARIABLE_FILE_NAME)).get());
    note_lost_characters(path(VARIABLE_FILE_NAME));
    lists_loaded_ = true;
    owner_ = owner;
    session.on_lists_changed([this] { lists_changed(); });
    report_unread();
}

// Told once, after the window is up: the settings are read before it shows.
void data_files::report_unread() {
    std::string text;
    const auto add_section = [&text](UINT heading, std::vector<std::string>& lines) {
        if (lines.empty())
            return;
        if (!text.empty())
            text += "\r\n\r\n";
        text += load_text(heading) + "\r\n";
        for (const std::string& line : lines)
            text += "\r\n" + line;
        lines.clear();
    };
    add_section(IDS_FILES_NOT_READ, unread_reports_);
    add_section(IDS_CHARACTERS_REPLACED, lossy_files_);
    if (!text.empty())
        message_box(owner_, text, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

void data_files::lists_changed() {
    lists_changed_ = true;
    schedule_save();
}

void data_files::settings_changed() {
    settings_changed_ = true;
    schedule_save();
}

// A timer already running is left as it is, so that changes in a steady
// stream still reach the disk within SAVE_DELAY_MS of the first.
void data_files::schedule_save() {
    if (save_timer_running_ || !owner_)
        return;
    save_timer_running_ = SetTimer(owner_, SAVE_TIMER, SAVE_DELAY_MS, nullptr) != 0;
}

void data_files::stop_save_timer() {
    if (save_timer_running_)
        KillTimer(owner_, SAVE_TIMER);
    save_timer_running_ = false;
}

void data_files::save_changes(const calculator_session& session, const settings& working) {
    stop_save_timer();
    std::vector<std::string> unsaved;
    if (lists_changed_)
        save_lists(session, unsaved);
    if (std::exchange(settings_changed_, false))
        note_saving(settings_path(), saved([&] { return write_settings(working); }), unsaved);
    report_unsaved(owner_, unsaved);
}

bool data_files::write_settings(const settings& working) {
    if (held(settings_path()))
        return true;
    file_settings_ = settings_to_store(working, file_settings_);
    return ::save_settings(file_settings_, settings_path());
}

void data_files::save_settings(const settings& working, HWND owner) {
    settings_changed_ = false;
    std::vector<std::string> unsaved;
    note_saving(settings_path(), write_settings(working), unsaved);
    report_unsaved(owner, unsaved);
}

// Every file is tried, even after one that threw; the ones that fail keep
// their old contents, and the user learns which they are in one message.
void data_files::save_all(const calculator_session& session, const settings& working) {
    stop_save_timer();
    std::vector<std::string> unsaved;
    save_lists(session, unsaved);
    settings_changed_ = false;
    note_saving(settings_path(), saved([&] { return write_settings(working); }), unsaved);
    report_unsaved(nullptr, unsaved);
}

void data_files::save_lists(const calculator_session& session, std::vector<std::string>& unsaved) {
    if (!lists_loaded_)
        return;
    lists_changed_ = false;
    const std::string history_path = path(HISTORY_FILE_NAME);
    if (!held(history_path))
        note_saving(history_path, saved([&] {
                        safe_file_writer file(history_path);
                        return session.save_history(file);
                    }),
                    unsaved);
    const std::string variables_path = path(VARIABLE_FILE_NAME);
    if (!held(variables_path))
        note_saving(variables_path, saved([&] {
                        safe_file_writer file(variables_path);
                        return session.save_variables(file);
                    }),
                    unsaved);
}

void data_files::note_saving(const std::string& file, bool saved, std::vector<std::string>& unsaved) {
    if (saved)
        reported_unsaved_.erase(file);
    else if (reported_unsaved_.insert(file).second)
        unsaved.push_back(file);
}

void data_files::report_unsaved(HWND owner, const std::vector<std::string>& unsaved) {
    if (unsaved.empty())
        return;
    std::string text = load_text(IDS_FILES_NOT_SAVED) + "\r\n";
    for (const std::string& file : unsaved)
        text += "\r\n" + path_for_display(file);
    message_box(owner, text, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
