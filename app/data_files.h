#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "calc/calculator_session.h"
#include "options/settings.h"

// The calculator's files in one folder: "Tarvik.ini", "history.txt" and
// "var.txt". Reads them at the start and writes them back whole through the
// safe writer, so that a failed save leaves the old file; a file that could
// not be written is reported once, until it is written again.
//
// Changes are saved as they come: a change starts a one-shot timer on the
// owner window, and its WM_TIMER writes whatever changed meanwhile, so that a
// burst of changes costs one save, the typing path never writes, and a
// killed process loses at most the last SAVE_DELAY_MS of changes.
class data_files {
public:
    // The folder ends in a backslash.
    explicit data_files(std::string directory);

    // The owner window's timer that the saving of changes waits on.
    static constexpr UINT_PTR SAVE_TIMER = 0x5a7e;
    static constexpr UINT SAVE_DELAY_MS = 400;

    // Reads the settings into the record, keeping the file's own values for
    // settings_to_store.
    void load_settings(settings& record);
    // Reads the history and the variables into the session and starts
    // following its changes, saving them over the owner's timer. Tells the
    // user, once, of every file that is there but could not be read.
    void load_lists(calculator_session& session, HWND owner);

    // The session's history or variables, or a setting, changed: the file is
    // written when the save timer fires.
    void lists_changed();
    void settings_changed();
    // The save timer fired: writes what changed since the last save.
    void save_changes(const calculator_session& session, const settings& working);

    // Writes the settings and reports a failure over the owner.
    void save_settings(const settings& working, HWND owner);
    // Writes every file (the lists only once they were read, so that the
    // empty lists of an interrupted start never replace them). The message
    // about files that failed stands on its own: at exit the window that
    // could own it is on its way out.
    void save_all(const calculator_session& session, const settings& working);

private:
    std::string path(const char* name) const;
    std::string settings_path() const;
    bool write_settings(const settings& working);
    void note_saving(const std::string& file, bool saved, std::vector<std::string>& unsaved);
    void report_unsaved(HWND owner, const std::vector<std::string>& unsaved);
    void schedule_save();
    void stop_save_timer();
    void save_lists(const calculator_session& session, std::vector<std::string>& unsaved);
    void hold_if_unreadable(const std::string& file);
    bool held(const std::string& file) const { return held_.count(file) != 0; }
    void report_unread();
    void note_lost_characters(const std::string& file);
    void convert_settings_file();

    std::string directory_;
    // The values as the file holds them: those the program could not use
    // stay in the file as the user wrote them.
    settings file_settings_;
    bool lists_loaded_ = false;
    bool lists_changed_ = false;
    bool settings_changed_ = false;
    HWND owner_ = nullptr;
    bool save_timer_running_ = false;
    std::set<std::string> reported_unsaved_;
    // Files that are there but could not be read at the start (locked by
    // another program, no permission): never written in this run, since
    // their contents are not known; and why each could not be read.
    std::set<std::string> held_;
    std::vector<std::string> unread_reports_;
    // Files that held characters without a Shift-JIS form.
    std::vector<std::string> lossy_files_;
};
