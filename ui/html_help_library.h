#pragma once
#include <windows.h>

// The HTML Help engine, loaded at its first use. The library is the one the
// registry names as the HTML Help control's in-process server, else the
// library found by name through the system's search order. Once loading has
// failed it is not tried again: help then quietly answers nullptr. The
// library stays loaded until the process ends.
class html_help_library {
public:
    // Where the engine is looked for: the key whose default value holds the
    // library's path, and the library name to fall back on.
    struct location {
        HKEY root;
        const char* server_key;
        const char* library_name;
    };
    // The system's own registration of the HTML Help control.
    static const location system_location;

    explicit html_help_library(const location& where) : where_(where) {}

    // HtmlHelpW's arguments and result; nullptr when help is unavailable.
    HWND call(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data);

    HMODULE library() const { return library_; }
    bool loading_failed() const { return loading_failed_; }

private:
    using entry_type = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

    bool load();
    HMODULE load_registered_library() const;

    location where_;
    HMODULE library_ = nullptr;
    entry_type entry_ = nullptr;
    bool loading_failed_ = false;
};
