#include "app/main_window.h"

#include <utility>

#include "app/main_menu.h"
#include "app/placement.h"
#include "app/placement_rules.h"
#include "app/window_layout.h"
#include "options/function_text_warning.h"
#include "options/settings_path.h"
#include "resources/resource.h"
#include "ui/exception_guard.h"
#include "ui/monitor_dpi.h"
#include "ui/program_resources.h"
#include "ui/step_trace.h"
#include "ui/window_procedure.h"

namespace {

// The confirmation asked before entries of a list are deleted.
UINT deletion_question(list_kind kind, bool all) {
    if (kind == history_list)
        return all ? IDS_DELETE_ALL_HISTORY : IDS_DELETE_HISTORY_ENTRY;
    return all ? IDS_DELETE_ALL_VARIABLES : IDS_DELETE_VARIABLE;
}

} // namespace

main_window::main_window() : main_window(settings_folder()) {}

main_window::main_window(std::string files_directory)
    : editor_(*this), answer_(*this), popup_(*this), files_(std::move(files_directory)) {}

main_window::~main_window() = default;

bool main_window::create(HWND owner) {
    const std::string class_name = load_text(IDS_WINDOW_CLASS);
    const std::string title = load_text(IDS_APP_TITLE);
    register_class(class_name.c_str(), CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                   LoadCursorA(nullptr, IDC_ARROW), nullptr);
    return window::create(0, class_name.c_str(), title.c_str(),
                          WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME, 500, 300, 150, 100, owner,
                          nullptr);
}

// ---------------------------------------------------------------- creation

bool main_window::on_create(CREATESTRUCTA*) {
    editor_.create(handle());
    answer_.create(handle());
    ShowWindow(editor_.handle(), SW_SHOW);
    ShowWindow(answer_.handle(), SW_SHOW);
    // The editor takes the focus when the window is activated (on_activate):
    // focusing it in a window not yet shown set up the input method before
    // the first show, a cost the start-up does not need.
    trace_step("controls created");
    take_dpi(dpi_of_window(handle()));
    name_for_screen_readers();

    files_.load_settings(settings_);
    trace_step("settings read");
    move_to_stored_rectangle();
    follow_monitor_dpi();
    apply_window_settings();
    // The height now fits the fonts; it may have grown off the screen.
    keep_on_screen(handle());
    trace_step("settings applied");
    return true;
}

void main_window::finish_start() {
    files_.load_lists(session_, handle());
    trace_step("history and variables loaded");

    if (settings_.show_tray)
        add_tray_icon();
    trace_step("tray icon");
    register_hotkey();
    trace_step("hotkey");
    warn_of_unreadable_functions(handle(), settings_.user_function_texts);
}

// The stored rectangle, brought onto the nearest screen: a monitor may have
// gone since it was saved, or the file may have been edited by hand.
void main_window::move_to_stored_rectangle() {
    const dpi_scale at_dpi = scale();
    const window_rectangle r = opening_rectangle(settings_.window_rect, at_dpi);
    const window_rectangle fallback = opening_rectangle(window_rectangle{}, at_dpi);
    move_onto_screen(handle(), {r.left, r.top, r.right, r.bottom}, fallback.right - fallback.left,
                     fallback.bottom - fallback.top);
}

// Each step is guarded on its own: one that throws must neither keep the
// files from being saved nor the message loop from ending.
void main_window::on_destroy() {
    guarded(
        [&] {
            unregister_hotkey();
            if (settings_.show_tray)
                remove_tray_icon();
            RECT r{};
            if (GetWindowRect(handle(), &r))
                settings_.window_rect = {static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                                         static_cast<std::int32_t>(r.right),
                                         static_cast<std::int32_t>(r.bottom)};
        },
        [] {});
    guarded([&] { files_.save_all(session_, settings_); }, [] {});
    PostQuitMessage(0);
}

// The files are saved when the session asks, as the end may come without
// another message; the calculator goes on until the end is certain, since the
// shutdown may still be cancelled.
bool main_window::on_query_end_session() {
    guarded([&] { files_.save_all(session_, settings_); }, [] {});
    return true;
}

void main_window::on_timer(UINT_PTR id, TIMERPROC callback) {
    if (id == data_files::SAVE_TIMER) {
        files_.save_changes(session_, settings_);
        return;
    }
    window::on_timer(id, callback);
}

void main_window::on_end_session(bool ending) {
    if (ending)
        DestroyWindow(handle());
}

// ------------------------------------------------------------- evaluation

std::string main_window::expression() const {
    std::string text;
    editor_.get_window_text(text);
    return text;
}

void main_window::show(const shown_answer& shown) {
    apply_answer_look(shown.look);
    SetWindowTextA(answer_.handle(), shown.text.c_str());
}

void main_window::commit() {
    if (session_.state() == committed) {
        send_answer();
        return;
    }
    if (session_.state() != edited)
        return;
    const shown_answer shown = session_.commit(expression());
    show(shown);
    // Read out once, the answer or the error; the live preview is not.
    answer_.announce();
    if (shown.failed() && shown.error_position != -1)
        editor_.emphasise(shown.error_position, shown.error_length);
}

void main_window::evaluate_live() {
    if (const std::optional<shown_answer> shown = session_.edit(expression()))
        show(*shown);
    trace_step("answer shown");
}

// A multi-line edit control reports no change when its whole text is set, so
// the text set from code is evaluated here, as a typed one would be.
void main_window::replace_expression(const char* text) {
    SetWindowTextA(editor_.handle(), text);
    evaluate_live();
}

void main_window::change_answer_form(int mode) {
    const std::optional<shown_answer> shown = session_.change_answer_form(cal::answer_form_from_number(mode));
    settings_.answer_mode = static_cast<std::int32_t>(session_.current_settings().answer.answer_mode);
    if (shown)
        show(*shown);
}

void main_window::change_angle_mode(int mode) {
    session_.change_angle_mode(cal::angle_unit_from_number(mode));
    settings_.angle_mode = static_cast<std::int32_t>(session_.current_settings().angle_mode);
}

// ------------------------------------------------------- mouse and keyboard

void main_window::on_l_button_down(UINT, int x, int y) {
    if (in_icon_cell(x, y, scale()))
        ShowWindow(handle(), SW_HIDE);
}

// The press is kept from the default handling: on a caption-like area some
// systems capture the mouse until the button goes up and turn the release into
// a system-menu request, so the release would never arrive here.
void main_window::on_nc_r_button_down(UINT, int, int) {}

// The release is not passed on either, or the system menu would follow ours.
void main_window::on_nc_r_button_up(UINT, int x, int y) { open_main_menu(x, y); }

void main_window::open_main_menu(int x, int y) {
    const popup_menu menu(IDR_MAIN_MENU);
    if (!menu.items())
        return;
    prepare_main_menu(menu.items(), settings_);
    menu.track(handle(), x, y);
}

void main_window::on_activate(UINT state, HWND other, bool) {
    if ((state == WA_ACTIVE || state == WA_CLICKACTIVE) && editor_.handle())
        SetFocus(editor_.handle());
    note_activation(state, other);
}

void main_window::editor_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    on_key_down(virtual_key, repeat, flags);
}

void main_window::display_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    on_key_down(virtual_key, repeat, flags);
}

void main_window::on_key_down(UINT virtual_key, UINT, UINT) {
    switch (virtual_key) {
    case VK_ESCAPE:
        if (settings_.esc_hide)
            ShowWindow(handle(), SW_HIDE);
        else
            replace_expression("");
        break;
    case VK_PRIOR: show_variables(); break;
    case VK_NEXT: show_history(); break;
    default: break;
    }
}

// ----------------------------------------------------------------- commands

LRESULT main_window::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TRAY_MESSAGE) {
        on_tray_message(wparam, lparam);
        return 0;
    }
    if (message == tray_icon::taskbar_created_message() && message != 0) {
        on_taskbar_created();
        return 0;
    }
    return window::dispatch(message, wparam, lparam);
}

void main_window::on_command(UINT notify_code, UINT id, HWND control) {
    if (control && control == editor_.handle()) {
        if (notify_code == EN_CHANGE)
            evaluate_live();
        return;
    }
    handle_command(id);
}

void main_window::handle_command(UINT id) {
    switch (id) {
    case IDM_EXIT: DestroyWindow(handle()); break;
    case IDM_TOGGLE_TRAY: flip_tray(); break;
    case IDM_HIDE: ShowWindow(handle(), SW_HIDE); break;
    case IDM_DEGREE:
    case IDM_RADIAN:
    case IDM_GRAD:
        change_angle_mode(static_cast<int>(id - IDM_DEGREE));
        files_.settings_changed();
        break;
    case IDM_REAL:
    case IDM_ANGLE_TIME:
    case IDM_BINARY:
    case IDM_OCTAL:
    case IDM_HEX:
        change_answer_form(static_cast<int>(id - IDM_REAL));
        files_.settings_changed();
        break;
    case IDM_ABOUT: show_about_box(); break;
    case IDM_HISTORY: show_history(); break;
    case IDM_EXPRESSION_VARIABLES: show_variables(); break;
    case IDM_OPTIONS:
        if (run_options_sheet()) {
            apply_settings();
            files_.save_settings(settings_, handle());
        }
        break;
    case IDM_SHOW: show_and_focus(); break;
    case IDM_TOPMOST: flip_topmost(); break;
    case IDM_HELP: open_help(); break;
    default: break;
    }
}

void main_window::on_help(HELPINFO*) { open_help(); }

void main_window::flip_topmost() {
    settings_.show_top = !settings_.show_top;
    apply_topmost();
    files_.settings_changed();
}

void main_window::flip_tray() {
    settings_.show_tray = !settings_.show_tray;
    if (settings_.show_tray)
        add_tray_icon();
    else
        remove_tray_icon();
    files_.settings_changed();
}

void main_window::show_and_focus() {
    keep_on_screen(handle());
    ShowWindow(handle(), SW_SHOW);
    SetFocus(editor_.handle());
}

// -------------------------------------------------------------------- lists

void main_window::show_history() { open_list_popup(history_list); }
void main_window::show_variables() { open_list_popup(variable_list); }

void main_window::insert_list_entry(list_kind kind, std::size_t index) {
    if (kind == history_list) {
        const std::optional<history_entry> entry = session_.pick_history(index);
        if (!entry)
            return;
        // The expression is evaluated as typed; the stored answer is shown.
        replace_expression(entry->expression.c_str());
        SetWindowTextA(answer_.handle(), entry->answer.c_str());
        return;
    }
    if (const std::optional<std::string> name = session_.variable_name(index))
        SendMessageA(editor_.handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(name->c_str()));
}

bool main_window::delete_list_entries(HWND owner, list_kind kind, std::size_t index, bool all) {
    // A row the list no longer shows (or "no selection") deletes nothing.
    if (!all && !session_.has_entry(kind, index))
        return false;
    const std::vector<std::string> rows_asked_about = session_.list_rows(kind);
    if (!confirm(owner, deletion_question(kind, all)))
        return false;
    // Whatever still reached the calculator meanwhile (a posted message, the
    // hotkey) may have changed the list: then the index names another entry.
    if (session_.list_rows(kind) != rows_asked_about)
        return false;
    return session_.delete_entries(kind, index, all);
}

// The whole calculator waits for the answer: with the main window disabled no
// typing, Enter or Page Up/Down reaches it while the question is up.
bool main_window::confirm(HWND owner, UINT question) {
    const bool was_disabled = EnableWindow(handle(), FALSE) != FALSE;
    const int answer = message_box(owner, question, MB_YESNO | MB_ICONQUESTION);
    if (!was_disabled)
        EnableWindow(handle(), TRUE);
    return answer == IDYES;
}
