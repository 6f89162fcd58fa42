#pragma once
#include <windows.h>

#include <string>

// The program's own resources, reached the same way from every window: the
// instance handle, string-table texts and context menus. Outside an
// application object (tests of single controls) the executable's module is
// used.

// The instance whose resources, classes and dialogs the program uses.
HINSTANCE program_instance();

// A text of the string table; empty when the string is missing.
std::string load_text(UINT id);

// A message box with the program's title as caption and a text of the string
// table; returns what MessageBox returns.
int message_box(HWND owner, UINT text_id, UINT type);
// The same with a text built by the caller (a file name filled in, say).
int message_box(HWND owner, const std::string& text, UINT type);

// The function the two above show their boxes with, MessageBoxA unless
// replaced (a test records the boxes instead of answering them); nullptr
// restores MessageBoxA. Returns the function replaced.
using message_box_function = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
message_box_function set_message_box_function(message_box_function show);

// A menu resource loaded for one context menu and destroyed with the object.
// The menu's first submenu is what is shown.
class popup_menu {
public:
    explicit popup_menu(UINT menu_id);
    ~popup_menu();
    popup_menu(const popup_menu&) = delete;
    popup_menu& operator=(const popup_menu&) = delete;

    // The submenu shown; nullptr when the resource is missing.
    HMENU items() const { return items_; }
    // Shows the menu at screen coordinates; its commands go to owner as
    // WM_COMMAND. Returns TrackPopupMenu's result.
    BOOL track(HWND owner, int x, int y, UINT flags = TPM_RIGHTBUTTON) const;

private:
    HMENU bar_ = nullptr;
    HMENU items_ = nullptr;
};
