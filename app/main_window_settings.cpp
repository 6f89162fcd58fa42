// The main window's settings: handing them to the session and the controls,
// the colours, the icon and the topmost flag.
#include "app/main_window.h"

#include "options/settings_ranges.h"
#include "app/contrast_look.h"
#include "app/window_layout.h"
#include "resources/resource.h"
#include "ui/high_contrast.h"
#include "ui/program_resources.h"
#include "ui/step_trace.h"

namespace {

colour_value resolved(std::int32_t setting, int system_colour) {
    return setting == AUTO_COLOR ? GetSysColor(system_colour) : static_cast<colour_value>(setting);
}

// A colour setting as the controls take it; AUTO_COLOR becomes their AUTOMATIC.
colour_value colour(std::int32_t setting) { return static_cast<colour_value>(setting); }

void redraw_with_frame(HWND handle) {
    if (handle)
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

} // namespace

session_settings main_window::calculation_settings() const {
    session_settings values;
    values.answer.answer_mode = cal::answer_form_from_number(settings_.answer_mode);
    values.answer.precision = settings_.precision;
    values.answer.exp_translate = settings_.exp_translate;
    values.answer.comma = settings_.comma;
    values.answer.ans_precision = settings_.ans_precision;
    values.angle_mode = cal::angle_unit_from_number(settings_.angle_mode);
    values.replace_ans = settings_.replace_ans;
    values.live_preview = settings_.show_nc_ans;
    return values;
}

void main_window::apply_settings() {
    apply_window_settings();
    register_hotkey();
    trace_step("hotkey");
}

// Everything but the hotkey: the start registers it after the first paint.
void main_window::apply_window_settings() {
    make_usable(settings_);
    session_.configure(calculation_settings());
    session_.define_functions(settings_.user_function_texts);
    trace_step("session configured");
    refresh_look();
    apply_editor_settings();
    apply_answer_settings();
    trace_step("fonts");
    apply_colours();
    frame_style_ = look_.main_frame_style;
    load_icon();
    trace_step("icon");
    apply_topmost();
    change_angle_mode(settings_.angle_mode);
    change_answer_form(settings_.answer_mode);
    fit_height();
    redraw_all();
}

void main_window::apply_editor_settings() {
    editor_.set_background(colour(look_.exp_back_color));
    editor_.set_text_colour(colour(look_.exp_font_color));
    editor_.set_frame_colour(colour(look_.exp_frame_color));
    editor_.set_font(settings_.exp_font_name.c_str(), settings_.exp_font_size);
    editor_.set_match_parentheses(settings_.show_parens);
    editor_.set_frame_style(look_.exp_frame_style);
}

void main_window::apply_answer_settings() {
    answer_.set_background(colour(look_.ans_back_color));
    answer_.set_frame_colour(colour(look_.ans_frame_color));
    answer_.set_font(settings_.ans_font_name.c_str(), settings_.ans_font_size);
    answer_.set_frame_style(look_.ans_frame_style);
    apply_answer_look(session_.state() == eval_failed ? answer_look::error : answer_look::answer);
}

// The answer's text colour for what it shows.
void main_window::apply_answer_look(answer_look look) {
    switch (look) {
    case answer_look::answer: answer_.set_text_colour(colour(look_.ans_font_color)); break;
    case answer_look::preview: answer_.set_preview_colour(colour(look_.ans_nc_color)); break;
    case answer_look::error: answer_.set_error_colour(colour(look_.ans_error_color)); break;
    case answer_look::unchanged: break;
    }
}

void main_window::apply_colours() {
    back_colour_ = resolved(look_.main_back_color, COLOR_BTNFACE);
    frame_colour_ = resolved(look_.main_frame_color, COLOR_BTNSHADOW);
}

// At the icon cell's size for the window's DPI.
void main_window::load_icon() { icon_.load(settings_.main_icon_file, scale()(ICON_SIZE)); }

void main_window::apply_topmost() {
    SetWindowPos(handle(), settings_.show_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void main_window::redraw_all() {
    redraw_with_frame(handle());
    redraw_with_frame(editor_.handle());
    redraw_with_frame(answer_.handle());
}

// The colours the window shows: the user's, or a high-contrast theme's.
void main_window::refresh_look() {
    const system_palette palette{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                                 GetSysColor(COLOR_HIGHLIGHT)};
    look_ = shown_look(settings_, high_contrast_on(), palette);
}

// A high-contrast theme switched on or off comes with new system colours.
void main_window::on_setting_change(UINT action, const char*) {
    if (action == SPI_SETHIGHCONTRAST)
        on_sys_color_change();
}

// The colours and frame styles again (not fonts): system colours stand for
// AUTO_COLOR, and a high-contrast theme may have come or gone.
void main_window::on_sys_color_change() {
    refresh_look();
    editor_.set_frame_style(look_.exp_frame_style);
    answer_.set_frame_style(look_.ans_frame_style);
    frame_style_ = look_.main_frame_style;
    editor_.set_background(colour(look_.exp_back_color));
    editor_.set_text_colour(colour(look_.exp_font_color));
    editor_.set_frame_colour(colour(look_.exp_frame_color));
    answer_.set_background(colour(look_.ans_back_color));
    answer_.set_frame_colour(colour(look_.ans_frame_color));
    apply_answer_look(session_.state() == eval_failed ? answer_look::error : answer_look::answer);
    apply_colours();
    redraw_all();
}
