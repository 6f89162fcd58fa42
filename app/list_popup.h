#pragma once
#include <windows.h>

#include "calc/list_kind.h"
#include "app/list_popup_owner.h"
#include "app/popup_list_box.h"
#include "ui/font.h"
#include "ui/window.h"

// The popup that drops down below the expression editor with the history or
// the variables. Its window exists only while it is shown: every opening
// creates it anew and closing destroys it. It closes as soon as its list
// loses the keyboard focus, except while a delete confirmation is up.
class list_popup : public window {
public:
    static constexpr const char* CLASS_NAME = "list_container";
    static constexpr int HEIGHT = 100; // at 96 DPI, scaled to the owner's

    explicit list_popup(list_popup_owner& owner);
    ~list_popup() override;

    // Creates the popup below the editor, fills it with the history (newest
    // first) or the variables (in name order) and shows it. A popup that is
    // still open is closed first; while its delete confirmation is up it
    // stays, and nothing opens.
    bool open(list_kind kind);
    // Destroys the popup and gives the focus back to the editor.
    void close();

    // Lays an open popup out at the DPI (its owner moved to another monitor).
    void follow_dpi(int dpi);

    bool is_open() const { return handle() != nullptr; }
    list_kind kind() const { return kind_; }
    popup_list_box& list() { return list_; }

protected:
    void on_activate(UINT state, HWND other, bool minimized) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    HBRUSH on_ctl_color_list_box(HDC dc, HWND control) override;
    void on_dpi_changed(int dpi, RECT* suggested) override;
    void on_size(UINT type, UINT width, UINT height) override;

private:
    static bool register_window_class();
    RECT placement() const;
    void fill();
    void refill();
    void use_selected_entry();
    void delete_entries(bool all);
    void apply_font(bool redraw);

    list_popup_owner& owner_;
    list_kind kind_{};
    popup_list_box list_;
    font font_;
    int dpi_ = DESIGN_DPI;
    // Set while a delete confirmation runs, whose message box takes the focus
    // away from the list, and while the popup is being destroyed.
    bool closing_suppressed_ = false;
};
