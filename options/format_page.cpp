#include "options/format_page.h"

#include <commdlg.h>

#include <cstdlib>
#include <string>

#include "options/colour_dialog.h"
#include "options/font_choices.h"
#include "options/help_topics.h"
#include "options/settings_ranges.h"
#include "resources/resource.h"
#include "ui/high_contrast.h"
#include "ui/html_help.h"
#include "ui/program_resources.h"
#include "ui/text.h"

namespace {

constexpr int window_list_texts[STYLED_WINDOWS] = {IDS_FORMAT_MAIN_WINDOW, IDS_FORMAT_EDITOR,
                                                   IDS_FORMAT_ANSWER_WINDOW};
constexpr int font_controls[] = {IDC_FORMAT_FONT_GROUP, IDC_FORMAT_FONT_NAME, IDC_FORMAT_FONT_SIZE_LABEL,
                                 IDC_FORMAT_FONT_SIZE};
constexpr int icon_controls[] = {IDC_FORMAT_ICON_GROUP, IDC_FORMAT_ICON_FILE, IDC_FORMAT_ICON_BROWSE};
// Each colour button with its label, in slot order.
constexpr int colour_controls[COLOUR_SLOTS][2] = {
    {IDC_FORMAT_BACK_COLOUR, 0},
    {IDC_FORMAT_FRAME_COLOUR, 0},
    {IDC_FORMAT_TEXT_COLOUR, IDC_FORMAT_TEXT_LABEL},
    {IDC_FORMAT_INCOMPLETE_COLOUR, IDC_FORMAT_INCOMPLETE_LABEL},
    {IDC_FORMAT_ERROR_COLOUR, IDC_FORMAT_ERROR_LABEL},
};

// The family name is listed, the name fonts are made from: the full name of
// the face reported for a family can be another one ("IPAゴシック" for a
// substitute "ＭＳ ゴシック", "DejaVu Sans ExtraLight" for "DejaVu Sans Light").
int CALLBACK add_face_name(const LOGFONTA* logical, const TEXTMETRICA*, DWORD, LPARAM names) {
    reinterpret_cast<face_name_list*>(names)->add(logical->lfFaceName);
    return 1;
}

struct size_enumeration {
    point_size_list sizes;
    int pixels_per_inch;
};

int CALLBACK add_face_size(const LOGFONTA*, const TEXTMETRICA* metrics, DWORD type, LPARAM data) {
    auto* enumeration = reinterpret_cast<size_enumeration*>(data);
    if ((type & TRUETYPE_FONTTYPE) || !(type & RASTER_FONTTYPE)) {
        enumeration->sizes.add_scalable_sizes();
        return 0; // a scalable face has them all
    }
    enumeration->sizes.add_raster_size(metrics->tmHeight, metrics->tmInternalLeading,
                                       enumeration->pixels_per_inch);
    return 1;
}

} // namespace

format_page::format_page(settings& target) : property_page(IDD_FORMAT_PAGE), settings_(target) {}

bool format_page::on_init_dialog(HWND, LPARAM) {
    shown_window_ = main_window_style;
    fill_window_list();
    check_button(IDC_FORMAT_FIXED_SIZE, settings_.disable_resize ? BST_CHECKED : BST_UNCHECKED);
    set_item_text(IDC_FORMAT_ICON_FILE, settings_.main_icon_file.c_str());
    fill_font_names();
    styles_.read(settings_);
    show_controls_for(main_window_style);
    load_controls(main_window_style);
    // The calculator shows the theme's colours meanwhile (the user's are kept).
    ShowWindow(item(IDC_FORMAT_HIGH_CONTRAST), high_contrast_on() ? SW_SHOW : SW_HIDE);
    return true;
}

void format_page::on_command(UINT notify_code, UINT id, HWND) {
    if (id == IDC_FORMAT_WINDOW && notify_code == CBN_SELCHANGE) {
        switch_window();
    } else if (id == IDC_FORMAT_FONT_NAME && notify_code == CBN_SELCHANGE) {
        refill_sizes(selected_size());
    } else if (notify_code == BN_CLICKED && id >= IDC_FORMAT_BACK_COLOUR && id <= IDC_FORMAT_ERROR_COLOUR) {
        choose_button_colour(static_cast<int>(id - IDC_FORMAT_BACK_COLOUR));
    } else if (notify_code == BN_CLICKED && id == IDC_FORMAT_ICON_BROWSE) {
        choose_icon_file();
    }
}

bool format_page::on_apply() {
    store_controls();
    settings_.disable_resize = IsDlgButtonChecked(handle(), IDC_FORMAT_FIXED_SIZE) == BST_CHECKED;
    get_item_text(IDC_FORMAT_ICON_FILE, settings_.main_icon_file);
    styles_.write(settings_);
    return false;
}

void format_page::on_help(HELPINFO*) {
    html_help(handle(), FORMAT_HELP_TOPIC, HH_DISPLAY_TOPIC, 0);
}

// ------------------------------------------------------------ the lists

void format_page::fill_window_list() {
    HWND list = item(IDC_FORMAT_WINDOW);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int text_id : window_list_texts)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(load_text(text_id).c_str()));
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

void format_page::fill_font_names() {
    HDC screen = GetDC(nullptr);
    pixels_per_inch_ = GetDeviceCaps(screen, LOGPIXELSY);
    LOGFONTA every_face{};
    every_face.lfCharSet = DEFAULT_CHARSET;
    face_name_list names;
    EnumFontFamiliesExA(screen, &every_face, add_face_name, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);

    HWND list = item(IDC_FORMAT_FONT_NAME);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names.names())
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void format_page::refill_sizes(int wanted_size) {
    HWND list = item(IDC_FORMAT_FONT_SIZE);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    std::string face;
    get_combo_selection_text(item(IDC_FORMAT_FONT_NAME), face);
    if (face.empty())
        return;

    LOGFONTA faces{};
    faces.lfCharSet = DEFAULT_CHARSET;
    face.copy(faces.lfFaceName, LF_FACESIZE - 1);
    size_enumeration enumeration{{}, pixels_per_inch_};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &faces, add_face_size, reinterpret_cast<LPARAM>(&enumeration), 0);
    ReleaseDC(nullptr, screen);

    for (int size : enumeration.sizes.sizes())
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(size).c_str()));
    SendMessageA(list, CB_SETCURSEL, size_selection(enumeration.sizes.sizes(), wanted_size), 0);
}

int format_page::selected_size() const {
    std::string size;
    get_combo_selection_text(item(IDC_FORMAT_FONT_SIZE), size);
    return size.empty() ? styles_[shown_window_].font_size : std::atoi(size.c_str());
}

void format_page::select_font_name(const std::string& name) {
    // The face itself, else the first face whose name begins with it.
    HWND list = item(IDC_FORMAT_FONT_NAME);
    LRESULT found = CB_ERR;
    if (!name.empty()) {
        auto text = reinterpret_cast<LPARAM>(name.c_str());
        found = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
        if (found == CB_ERR)
            found = SendMessageA(list, CB_FINDSTRING, static_cast<WPARAM>(-1), text);
    }
    SendMessageA(list, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : found, 0);
}

// ------------------------------------------------- moving between windows

void format_page::show_controls_for(int window) {
    const int font_shown = has_font(window) ? SW_SHOW : SW_HIDE;
    for (int id : font_controls)
        ShowWindow(item(id), font_shown);
    const int icon_shown = has_font(window) ? SW_HIDE : SW_SHOW;
    for (int id : icon_controls)
        ShowWindow(item(id), icon_shown);
    for (int slot = text_slot; slot < COLOUR_SLOTS; ++slot) {
        for (int id : colour_controls[slot])
            EnableWindow(item(id), has_colour(window, slot));
    }
    EnableWindow(item(IDC_FORMAT_FIXED_SIZE), window == main_window_style);
}

void format_page::switch_window() {
    const auto selected = SendMessageA(item(IDC_FORMAT_WINDOW), CB_GETCURSEL, 0, 0);
    if (selected < 0 || selected >= STYLED_WINDOWS)
        return;
    show_controls_for(static_cast<int>(selected));
    store_controls();
    load_controls(shown_window_);
}

void format_page::store_controls() {
    window_style& style = styles_[shown_window_];
    const int checked = find_checked_radio(IDC_FORMAT_FLAT, IDC_FORMAT_SUNKEN);
    if (checked >= 0)
        style.frame_style = checked - IDC_FORMAT_FLAT;
    if (has_font(shown_window_)) {
        // Without a selected face (the stored one is not installed) the window
        // keeps the face and size it had rather than an empty name.
        std::string face;
        get_combo_selection_text(item(IDC_FORMAT_FONT_NAME), face);
        if (!face.empty())
            style.font_name = face;
        style.font_size = selected_size();
    }
    styles_.store_colours(shown_window_, current_);

    const auto selected = SendMessageA(item(IDC_FORMAT_WINDOW), CB_GETCURSEL, 0, 0);
    if (selected >= 0 && selected < STYLED_WINDOWS)
        shown_window_ = static_cast<int>(selected);
}

void format_page::load_controls(int window) {
    const window_style& style = styles_[window];
    styles_.load_colours(window, current_);
    CheckRadioButton(handle(), IDC_FORMAT_FLAT, IDC_FORMAT_SUNKEN,
                     IDC_FORMAT_FLAT + frame_style_range.usable(style.frame_style));
    if (has_font(window)) {
        select_font_name(style.font_name);
        refill_sizes(style.font_size);
    }
    redraw_colour_buttons();
}

// ------------------------------------------------------------ colours

void format_page::redraw_colour_buttons() {
    for (const auto& controls : colour_controls)
        InvalidateRect(item(controls[0]), nullptr, TRUE);
}

COLORREF format_page::face_colour(int slot) const {
    if (current_[slot] != AUTO_COLOR)
        return static_cast<COLORREF>(current_[slot]) & 0xFFFFFF;
    switch (slot) {
    case background_slot: {
        // The editor's background is a window's; the others are button faces.
        const auto selected = SendMessageA(item(IDC_FORMAT_WINDOW), CB_GETCURSEL, 0, 0);
        return GetSysColor(selected == editor_style ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    case frame_slot: return GetSysColor(COLOR_BTNSHADOW);
    case text_slot: return GetSysColor(COLOR_BTNTEXT);
    case preview_slot: return RGB(0, 0, 255);
    default: return RGB(255, 0, 0);
    }
}

void format_page::choose_button_colour(int slot) {
    // An automatic colour starts the dialog on the colour it stands for.
    std::int32_t colour = static_cast<std::int32_t>(face_colour(slot));
    if (!choose_colour(handle(), colour))
        return;
    current_[slot] = colour;
    InvalidateRect(item(colour_controls[slot][0]), nullptr, TRUE);
}

void format_page::on_draw_item(DRAWITEMSTRUCT* drawn) {
    if (!drawn || drawn->CtlType != ODT_BUTTON || drawn->CtlID < IDC_FORMAT_BACK_COLOUR ||
        drawn->CtlID > IDC_FORMAT_ERROR_COLOUR)
        return;
    const int slot = static_cast<int>(drawn->CtlID - IDC_FORMAT_BACK_COLOUR);
    const bool disabled = (drawn->itemState & ODS_DISABLED) != 0;
    const COLORREF face = disabled ? GetSysColor(COLOR_BTNFACE) : face_colour(slot);
    HDC dc = drawn->hDC;
    RECT area = drawn->rcItem;

    HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    RECT edge = area;
    const UINT edge_kind = (drawn->itemState & ODS_SELECTED) ? BDR_SUNKENOUTER
                           : disabled                        ? EDGE_BUMP
                                                             : BDR_RAISEDOUTER;
    DrawEdge(dc, &edge, edge_kind, BF_RECT | BF_SOFT);

    if (!disabled && current_[slot] == AUTO_COLOR) {
        const std::string label = load_text(IDS_FORMAT_AUTOMATIC);
        const int old_mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF old_colour = SetTextColor(dc, automatic_label_is_white(face) ? RGB(255, 255, 255)
                                                                                    : RGB(0, 0, 0));
        RECT text_area = area;
        DrawTextA(dc, label.c_str(), -1, &text_area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetTextColor(dc, old_colour);
        SetBkMode(dc, old_mode);
    }
    if (drawn->itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

// ------------------------------------------------------------ icon file

void format_page::choose_icon_file() {
    // Each filter is a description and a pattern, each ended by a zero; a
    // second zero ends the list.
    std::string filter = load_text(IDS_ICON_FILTER_ICONS);
    filter.append(1, '\0').append("*.ico").append(1, '\0');
    filter.append(load_text(IDS_ICON_FILTER_ALL)).append(1, '\0').append("*.*").append(2, '\0');
    const std::string title = load_text(IDS_ICON_CHOOSER_TITLE);
    char path[MAX_PATH] = "";

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = handle();
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&request))
        set_item_text(IDC_FORMAT_ICON_FILE, path);
}
