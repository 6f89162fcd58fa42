#pragma once
#include <windows.h>

#include <string>

// One running calculator per program folder: the copies of one folder share
// Tarvik.ini, history.txt and var.txt, and two of them would overwrite each
// other's lists. A named mutex, derived from the folder, is taken before
// anything else of the start; a second start asks the running copy to show
// itself and ends. Copies in other folders run side by side.
class single_instance {
public:
    // Takes the mutex of folder (the program's folder, ending in a backslash).
    explicit single_instance(const std::wstring& folder);
    ~single_instance();
    single_instance(const single_instance&) = delete;
    single_instance& operator=(const single_instance&) = delete;

    // False when another process of this folder holds the mutex.
    bool first() const { return first_; }

    // Shows the window of class window_class that a process started from
    // folder has, without waiting on that process (it may be hung): the show
    // is posted to it. Waits up to a few seconds for the window of a copy that
    // is still starting. False when there is none.
    static bool show_running_copy(const std::wstring& folder, const std::wstring& window_class);

    // The mutex's name for folder: the same for every spelling of the folder
    // that differs only in case.
    static std::wstring mutex_name(const std::wstring& folder);

private:
    HANDLE mutex_ = nullptr;
    bool first_ = true;
};
