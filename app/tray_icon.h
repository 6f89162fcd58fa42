#pragma once
#include <windows.h>

// The notification-area icon's callback message, taken by the main window
// before its general dispatch.
inline constexpr UINT TRAY_MESSAGE = WM_APP + 100;

// The calculator's notification-area icon (id 0) and its menu. The icon is
// always the program's own, its tip the program's title; mouse messages come
// back to the owner as TRAY_MESSAGE.
class tray_icon {
public:
    explicit tray_icon(HWND owner) : owner_(owner) {}

    bool add() const;
    bool remove() const;
    // The icon's image anew at the small-icon size of the DPI given.
    bool update_image(int dpi) const;

    // The message the shell broadcasts to every top-level window when it
    // starts (again, after a crash or a restart of the shell): the icons it
    // held are gone and must be added anew.
    static UINT taskbar_created_message();

    // Fits the items of the tray menu to the moment the right button shows
    // them: without "show" when the calculator is visible, without "hide" when
    // it is not, and without "hide the icon" while the hotkey is missing, as
    // the icon is then the only way back to the calculator.
    static void fit_menu(HMENU items, bool window_visible, bool hotkey_registered);

    // The callback message: wparam is the icon id, lparam the mouse message.
    void on_message(WPARAM icon_id, LPARAM mouse_message, HWND editor, bool hotkey_registered) const;

private:
    void bring_up(HWND editor) const;
    void open_menu(bool hotkey_registered) const;

    HWND owner_;
};
