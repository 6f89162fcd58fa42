// The main window's links to the desktop: the notification-area icon, the
// global hotkey, sending the answer to another application, the options
// sheet, the about box, help and the list popup. Each is one function, so the
// windows behind them plug in here without touching the rest of the window.
#include "app/main_window.h"

#include "app/answer_sender.h"
#include "app/hotkey.h"
#include "app/input_method.h"
#include "app/tray_icon.h"
#include "app/about_box.h"
#include "options/help_topics.h"
#include "options/hotkey_rule.h"
#include "resources/resource.h"
#include "ui/program_resources.h"
#include "ui/html_help.h"
#include "ui/step_trace.h"

namespace {

struct modal_search {
    HWND owner;
    HWND found = nullptr;
};

bool is_owned_by(HWND window, HWND owner) {
    for (HWND up = GetWindow(window, GW_OWNER); up; up = GetWindow(up, GW_OWNER)) {
        if (up == owner)
            return true;
    }
    return false;
}

// A modal window disables what it is over, so the one the user has to answer
// is the visible, enabled window among those the calculator owns.
BOOL CALLBACK find_front_modal(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<modal_search*>(search_address);
    if (IsWindowVisible(window) && IsWindowEnabled(window) && is_owned_by(window, search.owner)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The tray menu and the hotkey still reach the calculator while one of its
// modal windows (options sheet, about box, their dialogs and message boxes)
// runs over it, disabled: that window comes to the front instead of a second
// one opening inside it. False when none is open.
bool bring_modal_window_to_front(HWND calculator) {
    if (IsWindowEnabled(calculator))
        return false;
    modal_search search{calculator};
    EnumThreadWindows(GetCurrentThreadId(), find_front_modal, reinterpret_cast<LPARAM>(&search));
    if (search.found)
        SetForegroundWindow(search.found);
    return true;
}

} // namespace

void main_window::add_tray_icon() { tray_icon(handle()).add(); }

void main_window::remove_tray_icon() { tray_icon(handle()).remove(); }

// The shell started anew and knows no icons: the icon comes back when the
// user wants it. Nothing else depends on the shell.
void main_window::on_taskbar_created() {
    if (settings_.show_tray)
        add_tray_icon();
}

// No hotkey (a cleared field) is the user's choice and needs no word; a key
// without Ctrl or Alt (a hand-edited file) is refused like a taken one.
void main_window::register_hotkey() {
    const hotkey_kind kind = classify_hotkey(settings_.hotkey);
    if (kind == hotkey_kind::none) {
        unregister_global_hotkey(handle());
        hotkey_registered_ = false;
    } else {
        hotkey_registered_ =
            kind == hotkey_kind::usable && register_global_hotkey(handle(), settings_.hotkey);
        if (hotkey_registered_)
            return;
        unregister_global_hotkey(handle());
        report_hotkey_failure(handle());
    }
    // Without the hotkey the tray icon is the only way back to the window.
    if (!settings_.show_tray) {
        settings_.show_tray = true;
        add_tray_icon();
    }
}

void main_window::unregister_hotkey() { unregister_global_hotkey(handle()); }

void main_window::on_hot_key(int, UINT, UINT) {
    trace_step("hotkey pressed");
    // While the options sheet is open the window is disabled under it: the
    // hotkey brings up the sheet, the window the user can work in.
    if (options_.is_open()) {
        options_.bring_to_front();
        return;
    }
    if (bring_modal_window_to_front(handle()))
        return;
    handle_hotkey(handle(), editor_.handle(), settings_.show_position, send_target_, way_back_);
    trace_step(IsWindowVisible(handle()) ? "window up" : "window hidden");
}

// Every way the window goes (Escape, the hotkey, a send, the icon cell, the
// menus) hides it with ShowWindow, which tells the window first: the
// keyboard goes back to the application the user came from.
void main_window::on_show_window(bool shown, UINT status) {
    window::on_show_window(shown, status);
    if (status != 0)
        return;
    if (shown)
        input_method_to_close_ = true;
    else
        way_back_.give_back(handle());
}

// The editor, focused on activation, starts each appearance with its input
// method closed; a click into another application changes the way back.
void main_window::note_activation(UINT state, HWND other) {
    if (state == WA_INACTIVE) {
        way_back_.on_deactivated(handle(), other);
        return;
    }
    if (input_method_to_close_ && editor_.handle()) {
        close_input_method(editor_.handle());
        input_method_to_close_ = false;
    }
}

void main_window::on_tray_message(WPARAM wparam, LPARAM lparam) {
    tray_icon(handle()).on_message(wparam, lparam, editor_.handle(), hotkey_registered_);
}

void main_window::send_answer() {
    answer_delivery delivery;
    delivery.calculator = handle();
    delivery.editor = editor_.handle();
    delivery.answer = answer_.handle();
    delivery.send_target = send_target_;
    delivery.send_ans = settings_.send_ans;
    delivery.send_exp = settings_.send_exp;
    delivery.after_send = settings_.after_send;
    const send_result result = ::send_answer(delivery);
    if (result != send_result::copied && result != send_result::lost)
        return;
    // Said where the answer stood, as an error: Enter then does nothing until
    // the expression is edited, rather than send this line.
    show({load_text(result == send_result::copied ? IDS_SEND_FAILED_COPIED : IDS_SEND_FAILED_LOST),
          answer_look::error});
    session_.delivery_failed();
}

// True when the sheet was confirmed. A second request while it is open
// (from the tray menu) only brings it to the front; a window destroyed while
// the sheet ran (exit from the tray menu) has nothing left to apply to.
bool main_window::run_options_sheet() {
    if (options_.is_open()) {
        options_.bring_to_front();
        return false;
    }
    if (bring_modal_window_to_front(handle()))
        return false;
    return options_.run(handle()) != 0 && IsWindow(handle());
}

// Opened inside another modal window, the box would re-enable the calculator
// under that one when it closed.
void main_window::show_about_box() {
    if (!bring_modal_window_to_front(handle()))
        about_box().run(handle());
}

void main_window::open_help() { html_help(handle(), HELP_FILE, HH_DISPLAY_TOPIC, 0); }

void main_window::open_list_popup(list_kind kind) {
    trace_step("list requested");
    popup_.open(kind);
    trace_step("list opened");
}
