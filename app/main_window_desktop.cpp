// The main window's links to the desktop: the notification-area icon, the
// global hotkey, sending the answer to another application, the options
// sheet, the about box, help and the list popup. Each is one function, so the
// windows behind them plug in here without touching the rest of the window.
#include "app/main_window.h"

void main_window::add_tray_icon() {
    // No notification-area icon yet: the window is reached through its menu.
}

void main_window::remove_tray_icon() {}

void main_window::register_hotkey() {}

void main_window::unregister_hotkey() {}

void main_window::on_hot_key(int, UINT, UINT) {}

void main_window::on_tray_message(WPARAM, LPARAM) {}

void main_window::send_answer() {
    // Nothing to send to yet: a second Enter leaves the committed answer as it is.
}

bool main_window::run_options_sheet() { return false; }

void main_window::show_about_box() {}

void main_window::open_help() {}

void main_window::open_list_popup(list_kind) {}
