#include "app/data_files.h"

#include <utility>

#include "app/safe_file_writer.h"
#include "calc/history_file.h"
#include "calc/variable_file.h"
#include "options/settings_file.h"
#include "options/settings_ranges.h"
#include "resources/resource.h"
#include "ui/exception_guard.h"
#include "ui/program_resources.h"

namespace {

// A save's result; false when it threw (a file too large for memory), which
// is logged like any exception caught at a boundary.
template <typename Save>
bool saved(Save&& save) {
    return guarded(std::forward<Save>(save), [] { return false; });
}

} // namespace

data_files::data_files(std::string directory) : directory_(std::move(directory)) {}

std::string data_files::path(const char* name) const { return directory_ + name; }

std::string data_files::settings_path() const { return path(load_text(IDS_SETTINGS_FILE).c_str()); }

void data_files::load_settings(settings& record) {
    ::load_settings(record, settings_path());
    file_settings_ = record;
}

void data_files::load_lists(calculator_session& session, HWND owner) {
    session.load_history(path(HISTORY_FILE_NAME));
    session.load_variables(path(VARIABLE_FILE_NAME));
    lists_loaded_ = true;
    owner_ = owner;
    session.on_lists_changed([this] { lists_changed(); });
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
    note_saving(history_path, saved([&] {
                    safe_file_writer file(history_path);
                    return session.save_history(file);
                }),
                unsaved);
    const std::string variables_path = path(VARIABLE_FILE_NAME);
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
        text += "\r\n" + file;
    message_box(owner, text, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
