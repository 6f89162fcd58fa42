#include "app/main_window.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/ans_replacement.h"
#include "app/history_file.h"
#include "app/main_menu.h"
#include "app/settings_ranges.h"
#include "app/user_function_loader.h"
#include "app/variable_file.h"
#include "app/window_layout.h"
#include "engine/answer_format.h"
#include "options/settings_file.h"
#include "ui/application.h"
#include "ui/draw_frame.h"
#include "ui/window_procedure.h"

namespace {

constexpr UINT CLASS_NAME_STRING = 2;
constexpr UINT TITLE_STRING = 1;
constexpr UINT SETTINGS_FILE_STRING = 3;
constexpr UINT MAIN_MENU = 107;
constexpr UINT PROGRAM_ICON = 103;

std::string string_resource(UINT id, const char* fallback) {
    std::string text = fallback;
    if (application* app = application::current())
        app->load_string_resource(id, text);
    return text;
}

std::string program_directory() {
    std::string directory;
    if (application* app = application::current())
        app->module_directory(directory);
    return directory;
}

HINSTANCE program_instance() {
    application* app = application::current();
    return app ? app->instance() : GetModuleHandleA(nullptr);
}

colour_value resolved(std::int32_t setting, int system_colour) {
    return setting == AUTO_COLOR ? GetSysColor(system_colour) : static_cast<colour_value>(setting);
}

// A colour setting as the controls take it; AUTO_COLOR becomes their AUTOMATIC.
colour_value colour(std::int32_t setting) { return static_cast<colour_value>(setting); }

int frame_width() { return GetSystemMetrics(SM_CXFRAME); }

std::string without_commas(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}

void redraw_with_frame(HWND handle) {
    if (handle)
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

} // namespace

main_window::main_window() : main_window(program_directory()) {}

main_window::main_window(std::string files_directory)
    : editor_(*this), answer_(*this), popup_(*this), files_directory_(std::move(files_directory)) {}

main_window::~main_window() { release_icon(); }

bool main_window::create(HWND owner) {
    const std::string class_name = string_resource(CLASS_NAME_STRING, "tarvikwnd");
    const std::string title = string_resource(TITLE_STRING, "Tarvik");
    register_class(class_name.c_str(), CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                   LoadCursorA(nullptr, IDC_ARROW), nullptr);
    return window::create(0, class_name.c_str(), title.c_str(),
                          WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME, 500, 300, 150,
                          100, owner, nullptr);
}

std::string main_window::file_path(const char* name) const { return files_directory_ + name; }

// ---------------------------------------------------------------- creation

bool main_window::on_create(CREATESTRUCTA*) {
    editor_.create(handle());
    answer_.create(handle());
    ShowWindow(editor_.handle(), SW_SHOW);
    ShowWindow(answer_.handle(), SW_SHOW);
    SetFocus(editor_.handle());

    load_settings(settings_, file_path(string_resource(SETTINGS_FILE_STRING, "Tarvik.ini").c_str()));
    const window_rectangle& r = settings_.window_rect;
    SetWindowPos(handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    apply_settings();

    load_history(file_path("history.txt"), history_);
    load_variables(file_path("var.txt"), engine_);
    // Ans starts from 0 on every run, whatever the variable file kept.
    engine_.set_variable("ans", 0.0);

    if (settings_.show_tray)
        add_tray_icon();
    return true;
}

void main_window::on_destroy() {
    unregister_hotkey();
    if (settings_.show_tray)
        remove_tray_icon();

    RECT r{};
    if (GetWindowRect(handle(), &r))
        settings_.window_rect = {static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                                 static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};

    save_history(file_path("history.txt"), history_);
    save_variables(file_path("var.txt"), engine_, settings_.precision, settings_.exp_translate);
    save_settings(settings_, file_path(string_resource(SETTINGS_FILE_STRING, "Tarvik.ini").c_str()));
    release_icon();
    PostQuitMessage(0);
}

bool main_window::on_query_end_session() {
    DestroyWindow(handle());
    return true;
}

// ------------------------------------------------------------- evaluation

cal::answer_options main_window::answer_options() const {
    cal::answer_options options;
    options.answer_mode = cal::answer_form_from_number(settings_.answer_mode);
    options.precision = settings_.precision;
    options.exp_translate = settings_.exp_translate;
    options.comma = settings_.comma;
    options.ans_precision = settings_.ans_precision;
    return options;
}

// Shows the value in the current answer form and gives back the text shown.
std::string main_window::show_value(double value) {
    std::string text = cal::format_answer(value, answer_options());
    SetWindowTextA(answer_.handle(), text.c_str());
    return text;
}

void main_window::show_error(const cal::calculator_error& error) {
    answer_.set_error_colour(colour(settings_.ans_error_color));
    SetWindowTextA(answer_.handle(), error.what());
}

void main_window::commit() {
    if (answer_state_ == committed) {
        send_answer();
        return;
    }
    if (answer_state_ != edited)
        return;

    std::string expression;
    editor_.get_window_text(expression);
    try {
        // On the engine itself: assignments in the expression take effect.
        const double value = engine_.calculate(expression);
        answer_.set_text_colour(colour(settings_.ans_font_color));
        answer_state_ = committed;
        const std::string shown = show_value(value);

        std::string entry = settings_.replace_ans ? replace_ans(expression, ans_text_) : expression;
        history_.add(std::move(entry), shown);
        ans_text_ = without_commas(shown);

        engine_.set_variable("ans", cal::ans_value(value, shown, answer_options()));
    } catch (const cal::calculator_error& error) {
        answer_state_ = eval_failed;
        show_error(error);
        if (error.position != -1)
            editor_.emphasise(error.position, error.length);
    }
}

void main_window::evaluate_live() {
    answer_state_ = edited;
    if (!settings_.show_nc_ans)
        return;
    std::string expression;
    editor_.get_window_text(expression);
    // A copy, so that an unfinished assignment changes nothing.
    cal::calculator trial = engine_;
    try {
        const double value = trial.calculate(expression);
        answer_.set_incomplete_colour(colour(settings_.ans_nc_color));
        show_value(value);
    } catch (const cal::calculator_error&) {
        SetWindowTextA(answer_.handle(), "");
    }
}

// A multi-line edit control reports no change when its whole text is set, so
// the text set from code is evaluated here, as a typed one would be.
void main_window::replace_expression(const char* text) {
    SetWindowTextA(editor_.handle(), text);
    evaluate_live();
}

void main_window::change_answer_mode(int mode) {
    settings_.answer_mode = usable_answer_mode(mode);
    if (answer_state_ == eval_failed)
        return;
    double ans = 0.0;
    engine_.get_variable("ans", ans);
    answer_.set_text_colour(colour(settings_.ans_font_color));
    try {
        show_value(ans);
    } catch (const cal::calculator_error& error) {
        answer_state_ = format_failed;
        show_error(error);
    }
}

void main_window::change_angle_mode(int mode) {
    answer_state_ = edited;
    settings_.angle_mode = usable_angle_mode(mode);
    engine_.angle_mode = cal::angle_unit_from_number(settings_.angle_mode);
}

// ----------------------------------------------------------------- settings

void main_window::apply_settings() {
    make_usable(settings_);
    engine_.angle_mode = cal::angle_unit::degree;
    define_user_functions(engine_, settings_.user_function_texts);
    apply_editor_settings();
    apply_answer_settings();
    apply_colours();
    frame_style_ = settings_.main_frame_style;
    load_icon();
    register_hotkey();
    apply_topmost();
    change_angle_mode(settings_.angle_mode);
    change_answer_mode(settings_.answer_mode);
    fit_height();
    redraw_with_frame(handle());
    redraw_with_frame(editor_.handle());
    redraw_with_frame(answer_.handle());
}

void main_window::apply_editor_settings() {
    editor_.set_background(colour(settings_.exp_back_color));
    editor_.set_text_colour(colour(settings_.exp_font_color));
    editor_.set_frame_colour(colour(settings_.exp_frame_color));
    editor_.set_font(settings_.exp_font_name.c_str(), settings_.exp_font_size);
    editor_.set_match_parentheses(settings_.show_parens);
    editor_.set_frame_style(settings_.exp_frame_style);
}

void main_window::apply_answer_settings() {
    answer_.set_background(colour(settings_.ans_back_color));
    answer_.set_frame_colour(colour(settings_.ans_frame_color));
    answer_.set_font(settings_.ans_font_name.c_str(), settings_.ans_font_size);
    answer_.set_frame_style(settings_.ans_frame_style);
    if (answer_state_ == eval_failed)
        answer_.set_error_colour(colour(settings_.ans_error_color));
    else
        answer_.set_text_colour(colour(settings_.ans_font_color));
}

void main_window::apply_colours() {
    back_colour_ = resolved(settings_.main_back_color, COLOR_BTNFACE);
    frame_colour_ = resolved(settings_.main_frame_color, COLOR_BTNSHADOW);
}

void main_window::release_icon() {
    if (icon_)
        DestroyIcon(icon_);
    icon_ = nullptr;
}

void main_window::load_icon() {
    release_icon();
    if (!settings_.main_icon_file.empty())
        icon_ = static_cast<HICON>(LoadImageA(nullptr, settings_.main_icon_file.c_str(), IMAGE_ICON,
                                              ICON_SIZE, ICON_SIZE, LR_LOADFROMFILE));
    else
        icon_ = static_cast<HICON>(LoadImageA(program_instance(), MAKEINTRESOURCEA(PROGRAM_ICON),
                                              IMAGE_ICON, ICON_SIZE, ICON_SIZE, 0));
}

void main_window::apply_topmost() {
    SetWindowPos(handle(), settings_.show_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void main_window::fit_height() {
    RECT editor_rect{};
    RECT window_rect{};
    GetWindowRect(editor_.handle(), &editor_rect);
    GetWindowRect(handle(), &window_rect);
    const int height = fitted_window_height(frame_width(), editor_rect.bottom - editor_rect.top,
                                            editor_.preferred_height(), answer_.preferred_height());
    SetWindowPos(handle(), nullptr, 0, 0, window_rect.right - window_rect.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void main_window::on_sys_color_change() {
    editor_.set_background(colour(settings_.exp_back_color));
    editor_.set_text_colour(colour(settings_.exp_font_color));
    editor_.set_frame_colour(colour(settings_.exp_frame_color));
    answer_.set_background(colour(settings_.ans_back_color));
    answer_.set_frame_colour(colour(settings_.ans_frame_color));
    if (answer_state_ == eval_failed)
        answer_.set_error_colour(colour(settings_.ans_error_color));
    else
        answer_.set_text_colour(colour(settings_.ans_font_color));
    apply_colours();
    redraw_with_frame(handle());
    redraw_with_frame(editor_.handle());
    redraw_with_frame(answer_.handle());
}

// -------------------------------------------------------- layout and paint

void main_window::on_size(UINT, UINT width, UINT height) {
    if (!editor_.handle() || !answer_.handle())
        return;
    const main_layout layout = layout_children(static_cast<int>(width), static_cast<int>(height),
                                               answer_.preferred_height());
    HDWP batch = BeginDeferWindowPos(2);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch)
        batch = DeferWindowPos(batch, editor_.handle(), nullptr, layout.editor.x, layout.editor.y,
                               layout.editor.width, layout.editor.height, flags);
    if (batch)
        batch = DeferWindowPos(batch, answer_.handle(), nullptr, layout.answer.x, layout.answer.y,
                               layout.answer.width, layout.answer.height, flags);
    if (batch)
        EndDeferWindowPos(batch);
}

void main_window::on_get_min_max_info(MINMAXINFO* info) {
    if (!editor_.handle() || !answer_.handle()) {
        window::on_get_min_max_info(info);
        return;
    }
    const window_size minimum =
        minimum_tracking_size(frame_width(), editor_.preferred_height(), answer_.preferred_height());
    info->ptMinTrackSize.x = minimum.width;
    info->ptMinTrackSize.y = minimum.height;
}

int main_window::on_nc_hit_test(int x, int y) {
    const int code = window::on_nc_hit_test(x, y);
    POINT point{x, y};
    ScreenToClient(handle(), &point);
    return main_hit_test(code, point.x, point.y, settings_.disable_resize);
}

void main_window::on_nc_paint(HRGN) {
    draw_frame(handle(), back_colour_, back_colour_, frame_colour_, frame_style_);
}

void main_window::on_paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    RECT client{};
    GetClientRect(handle(), &client);

    HBRUSH background = CreateSolidBrush(back_colour_);
    FillRect(dc, &client, background);
    DeleteObject(background);

    const grip_lines grip = grip_for(frame_style_, back_colour_, frame_colour_);
    for (int i = 0; i < grip.count; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, grip.lines[i].colour);
        HGDIOBJ previous = SelectObject(dc, pen);
        MoveToEx(dc, grip.lines[i].x, client.top + GRIP_TOP_OFFSET, nullptr);
        LineTo(dc, grip.lines[i].x, client.bottom - GRIP_BOTTOM_OFFSET);
        SelectObject(dc, previous);
        DeleteObject(pen);
    }

    if (icon_)
        DrawIconEx(dc, 0, 0, icon_, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
    EndPaint(handle(), &paint);
}

HBRUSH main_window::on_ctl_color_edit(HDC dc, HWND control) {
    if (control && control == editor_.handle())
        return editor_.ctl_colour(dc);
    return window::on_ctl_color_edit(dc, control);
}

HBRUSH main_window::on_ctl_color_static(HDC dc, HWND control) {
    if (control && control == answer_.handle())
        return answer_.ctl_colour(dc);
    return window::on_ctl_color_static(dc, control);
}

// ------------------------------------------------------- mouse and keyboard

void main_window::on_l_button_down(UINT, int x, int y) {
    if (in_icon_cell(x, y))
        ShowWindow(handle(), SW_HIDE);
}

// The press is kept from the default handling: on a caption-like area some
// systems capture the mouse until the button goes up and turn the release into
// a system-menu request, so the release would never arrive here.
void main_window::on_nc_r_button_down(UINT, int, int) {}

// The release is not passed on either, or the system menu would follow ours.
void main_window::on_nc_r_button_up(UINT, int x, int y) { open_main_menu(x, y); }

void main_window::open_main_menu(int x, int y) {
    HMENU menu = LoadMenuA(program_instance(), MAKEINTRESOURCEA(MAIN_MENU));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        prepare_main_menu(popup, settings_);
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0, handle(), nullptr);
    }
    DestroyMenu(menu);
}

void main_window::on_activate(UINT state, HWND, bool) {
    if ((state == WA_ACTIVE || state == WA_CLICKACTIVE) && editor_.handle())
        SetFocus(editor_.handle());
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
    case VK_PRIOR:
        show_variables();
        break;
    case VK_NEXT:
        show_history();
        break;
    default:
        break;
    }
}

// ----------------------------------------------------------------- commands

LRESULT main_window::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TRAY_MESSAGE) {
        on_tray_message(wparam, lparam);
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
    case command_exit:
        DestroyWindow(handle());
        break;
    case command_toggle_tray:
        flip_tray();
        break;
    case command_hide:
        ShowWindow(handle(), SW_HIDE);
        break;
    case command_degree:
    case command_radian:
    case command_grad:
        change_angle_mode(static_cast<int>(id - command_degree));
        break;
    case command_real:
    case command_angle_time:
    case command_binary:
    case command_octal:
    case command_hex:
        change_answer_mode(static_cast<int>(id - command_real));
        break;
    case command_about:
        show_about_box();
        break;
    case command_history:
        show_history();
        break;
    case command_variables:
        show_variables();
        break;
    case command_options:
        if (run_options_sheet()) {
            apply_settings();
            save_settings(settings_,
                          file_path(string_resource(SETTINGS_FILE_STRING, "Tarvik.ini").c_str()));
        }
        break;
    case command_show:
        show_and_focus();
        break;
    case command_topmost:
        flip_topmost();
        break;
    case command_help:
        open_help();
        break;
    default:
        break;
    }
}

void main_window::on_help(HELPINFO*) { open_help(); }

void main_window::flip_topmost() {
    settings_.show_top = !settings_.show_top;
    apply_topmost();
}

void main_window::flip_tray() {
    settings_.show_tray = !settings_.show_tray;
    if (settings_.show_tray)
        add_tray_icon();
    else
        remove_tray_icon();
}

void main_window::show_and_focus() {
    ShowWindow(handle(), SW_SHOW);
    SetFocus(editor_.handle());
}

// -------------------------------------------------------------------- lists

void main_window::show_history() { open_list_popup(history_list); }
void main_window::show_variables() { open_list_popup(variable_list); }

void main_window::insert_list_entry(list_kind kind, std::size_t index) {
    if (kind == history_list) {
        if (index >= history_.size())
            return;
        const history_entry entry = history_[index];
        replace_expression(entry.expression.c_str());
        SetWindowTextA(answer_.handle(), entry.answer.c_str());
        answer_state_ = edited;
        return;
    }
    if (index >= engine_.variables.size())
        return;
    const auto variable = std::next(engine_.variables.begin(), static_cast<std::ptrdiff_t>(index));
    SendMessageA(editor_.handle(), EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(variable->first.c_str()));
}

bool main_window::delete_list_entries(HWND owner, list_kind kind, std::size_t index, bool all) {
    if (!all) {
        // A row the list no longer shows (or "no selection") deletes nothing.
        const std::size_t count = kind == history_list ? history_.size() : engine_.variables.size();
        if (index >= count)
            return false;
    }
    const char* question = nullptr;
    if (kind == history_list)
        question = all ? "全ての計算履歴を削除してよろしいですか？"
                       : "選択された計算履歴を削除してよろしいですか？";
    else
        question = all ? "全ての変数を削除してよろしいですか？" : "選択された変数を削除してよろしいですか？";
    if (MessageBoxA(owner, question, "Tarvik", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;

    if (kind == history_list) {
        if (all)
            history_.clear();
        else
            history_.erase(index);
    } else if (all) {
        engine_.clear_variables();
    } else {
        const std::string name =
            std::next(engine_.variables.begin(), static_cast<std::ptrdiff_t>(index))->first;
        engine_.erase_variable(name);
    }
    return true;
}
