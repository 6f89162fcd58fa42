#include "app/tray_icon.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/placement.h"
#include "resources/resource.h"
#include "ui/monitor_dpi.h"
#include "ui/program_resources.h"

namespace {

constexpr UINT TRAY_ICON_ID = 0;

// The program's title; a build without the string table still has a tip.
std::string tip_text() {
    std::string text = load_text(IDS_APP_TITLE);
    return text.empty() ? "Tarvik" : text;
}

// The record in the size of its first version, which every shell accepts.
NOTIFYICONDATAA icon_record(HWND owner) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = TRAY_ICON_ID;
    return record;
}

// The notification area shows small icons: the image of the small-icon size
// at the DPI, so that the icon stays sharp.
HICON small_icon(int dpi) {
    return static_cast<HICON>(LoadImageA(program_instance(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                         system_metric_for_dpi(SM_CXSMICON, dpi),
                                         system_metric_for_dpi(SM_CYSMICON, dpi), 0));
}

} // namespace

bool tray_icon::update_image(int dpi) const {
    NOTIFYICONDATAA record = icon_record(owner_);
    record.uFlags = NIF_ICON;
    record.hIcon = small_icon(dpi);
    const bool updated = Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
    if (record.hIcon)
        DestroyIcon(record.hIcon);
    return updated;
}

bool tray_icon::add() const {
    NOTIFYICONDATAA record = icon_record(owner_);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TRAY_MESSAGE;
    record.hIcon = small_icon(dpi_of_window(owner_));
    const std::string tip = tip_text();
    // The first version's tip field holds 64 bytes with the terminator.
    const size_t tip_length = tip.size() < 63 ? tip.size() : 63;
    std::memcpy(record.szTip, tip.data(), tip_length);
    record.szTip[tip_length] = '\0';
    const bool added = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
    // The shell keeps its own copy of the image.
    if (record.hIcon)
        DestroyIcon(record.hIcon);
    return added;
}

bool tray_icon::remove() const {
    NOTIFYICONDATAA record = icon_record(owner_);
    return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

UINT tray_icon::taskbar_created_message() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void tray_icon::fit_menu(HMENU items, bool window_visible, bool hotkey_registered) {
    DeleteMenu(items, window_visible ? IDM_SHOW : IDM_HIDE, MF_BYCOMMAND);
    if (!hotkey_registered)
        DeleteMenu(items, IDM_TOGGLE_TRAY, MF_BYCOMMAND);
}

void tray_icon::on_message(WPARAM icon_id, LPARAM mouse_message, HWND editor, bool hotkey_registered) const {
    if (icon_id != TRAY_ICON_ID)
        return;
    switch (static_cast<UINT>(mouse_message)) {
    case WM_LBUTTONDOWN: bring_up(editor); break;
    case WM_RBUTTONDOWN: open_menu(hotkey_registered); break;
    default: break;
    }
}

// Brings the calculator up where it is (on a screen, should that have gone);
// the answer's target stays as it was.
void tray_icon::bring_up(HWND editor) const {
    if (IsWindowVisible(owner_)) {
        SetForegroundWindow(owner_);
    } else {
        keep_on_screen(owner_);
        ShowWindow(owner_, SW_SHOW);
    }
    SetFocus(editor);
}

void tray_icon::open_menu(bool hotkey_registered) const {
    const popup_menu menu(IDR_TRAY_MENU);
    if (!menu.items())
        return;
    fit_menu(menu.items(), IsWindowVisible(owner_) != FALSE, hotkey_registered);
    // The menu closes on a click elsewhere only when its owner is in front.
    SetForegroundWindow(owner_);
    POINT cursor{};
    GetCursorPos(&cursor);
    menu.track(owner_, cursor.x, cursor.y);
    // Without a message after the menu, a second right click on the icon
    // would open the menu only every other time.
    PostMessageA(owner_, WM_NULL, 0, 0);
}
