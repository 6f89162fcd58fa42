#pragma once
#include <windows.h>

#include "options/format_styles.h"
#include "options/settings.h"
#include "ui/property_page.h"

// The "書式" page of the options sheet: the frame style, colours and font or
// icon of the main window, the expression editor and the answer window. The
// page edits a working copy of the three windows' looks; the user moves
// between windows freely and only a confirmed sheet writes the copy back.
class format_page : public property_page {
public:
    explicit format_page(settings& target);

    // The window whose values the controls show (a styled_window).
    int shown_window() const { return shown_window_; }
    // The colour the button of the slot stands for (AUTO_COLOR: automatic).
    std::int32_t current_colour(int slot) const { return current_[slot]; }

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    void on_draw_item(DRAWITEMSTRUCT* item) override;
    void on_help(HELPINFO* help) override;
    bool on_apply() override;

private:
    HWND item(int id) const { return GetDlgItem(handle(), id); }

    void fill_window_list();
    void fill_font_names();
    // Refills the size list for the selected face and selects the size
    // nearest above the wanted one.
    void refill_sizes(int wanted_size);
    // The size selected in the list, else the shown window's stored one.
    int selected_size() const;
    void show_controls_for(int window);
    void switch_window();
    void store_controls();
    void load_controls(int window);
    void select_font_name(const std::string& name);
    void redraw_colour_buttons();
    void choose_button_colour(int slot);
    void choose_icon_file();
    // The colour a button shows: its own, or what automatic stands for.
    COLORREF face_colour(int slot) const;

    settings& settings_;
    format_styles styles_;
    slot_colours current_{AUTO_COLOR, AUTO_COLOR, AUTO_COLOR, AUTO_COLOR, AUTO_COLOR};
    int shown_window_ = main_window_style;
    int pixels_per_inch_ = 96;
};
