#include "options/display_page.h"

#include <string>

#include "options/help_topics.h"
#include "options/number_field.h"
#include "options/radio_group.h"
#include "options/settings.h"
#include "options/start_with_windows.h"
#include "resources/resource.h"
#include "ui/html_help.h"
#include "ui/program_resources.h"

namespace {

// An edit field holds no sign: the ranges start at 0 or above.
constexpr unsigned LOWEST_PRECISION = cal::precision_range.low;
constexpr unsigned HIGHEST_PRECISION = cal::precision_range.high;
constexpr unsigned LOWEST_EXPONENT = cal::exponent_range.low;
constexpr unsigned HIGHEST_EXPONENT = cal::exponent_range.high;

// The switches of the page, each with the field it edits.
struct page_switch {
    int id;
    bool settings::*field;
};
constexpr page_switch switches[] = {
    {IDC_DISPLAY_ESC_HIDE, &settings::esc_hide},
    {IDC_DISPLAY_BEGIN_SHOW, &settings::begin_show},
    {IDC_DISPLAY_ANS_PRECISION, &settings::ans_precision},
    {IDC_DISPLAY_SHOW_NC_ANS, &settings::show_nc_ans},
    {IDC_DISPLAY_REPLACE_ANS, &settings::replace_ans},
    {IDC_DISPLAY_SHOW_PARENS, &settings::show_parens},
    {IDC_DISPLAY_COMMA, &settings::comma},
};

} // namespace

display_page::display_page(settings& target) : property_page(IDD_DISPLAY_PAGE), settings_(target) {}

bool display_page::on_init_dialog(HWND, LPARAM) {
    set_item_int(IDC_DISPLAY_PRECISION, static_cast<UINT>(settings_.precision), false);
    set_item_int(IDC_DISPLAY_EXPONENT, static_cast<UINT>(settings_.exp_translate), false);
    check_radio_of_value(*this, IDC_DISPLAY_REAL, IDC_DISPLAY_HEX, settings_.answer_mode);
    check_radio_of_value(*this, IDC_DISPLAY_DEGREE, IDC_DISPLAY_GRAD, settings_.angle_mode);
    for (const page_switch& s : switches)
        check_button(s.id, settings_.*s.field ? BST_CHECKED : BST_UNCHECKED);
    // Not a setting: the registry's value as it is now, whoever wrote it.
    const bool starts = start_with_windows::for_this_program().is_on();
    check_button(IDC_DISPLAY_START_WITH_WINDOWS, starts ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

unsigned display_page::edit_number(int edit_id) const {
    std::string text;
    get_item_text(edit_id, text);
    return edit_number_value(text);
}

bool display_page::refuse_out_of_range(int edit_id, unsigned lowest, unsigned highest, unsigned text_id) {
    const unsigned value = edit_number(edit_id);
    if (value >= lowest && value <= highest)
        return false;
    message_box(handle(), text_id, MB_OK | MB_ICONINFORMATION);
    HWND edit = GetDlgItem(handle(), edit_id);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return true;
}

bool display_page::on_kill_active() {
    // True keeps the page, so nothing reaches the settings until both are valid.
    return refuse_out_of_range(IDC_DISPLAY_PRECISION, LOWEST_PRECISION, HIGHEST_PRECISION,
                               IDS_PRECISION_RANGE) ||
           refuse_out_of_range(IDC_DISPLAY_EXPONENT, LOWEST_EXPONENT, HIGHEST_EXPONENT, IDS_EXPONENT_RANGE);
}

bool display_page::on_apply() {
    settings_.precision = static_cast<std::int32_t>(edit_number(IDC_DISPLAY_PRECISION));
    settings_.exp_translate = static_cast<std::int32_t>(edit_number(IDC_DISPLAY_EXPONENT));
    settings_.answer_mode = checked_radio_value(*this, IDC_DISPLAY_REAL, IDC_DISPLAY_HEX,
                                                settings_.answer_mode);
    settings_.angle_mode = checked_radio_value(*this, IDC_DISPLAY_DEGREE, IDC_DISPLAY_GRAD,
                                               settings_.angle_mode);
    for (const page_switch& s : switches)
        settings_.*s.field = IsDlgButtonChecked(handle(), s.id) == BST_CHECKED;
    apply_start_with_windows();
    return false;
}

void display_page::apply_start_with_windows() {
    const start_with_windows entry = start_with_windows::for_this_program();
    const bool wanted = IsDlgButtonChecked(handle(), IDC_DISPLAY_START_WITH_WINDOWS) == BST_CHECKED;
    if (wanted == entry.is_on())
        return;
    if (!(wanted ? entry.turn_on() : entry.turn_off()))
        message_box(handle(), IDS_START_WITH_WINDOWS_FAILED, MB_OK | MB_ICONERROR);
}

void display_page::on_help(HELPINFO*) {
    html_help(handle(), DISPLAY_HELP_TOPIC, HH_DISPLAY_TOPIC, 0);
}
