#pragma once
#include <windows.h>

#include <string>

#include "ui/accessibility.h"
#include "ui/accessible_content.h"
#include "ui/colour.h"
#include "ui/window.h"

// The list box that fills the list popup. It keeps a flat vertical scroll bar
// in step with its rows itself, turns Backspace, Escape, Delete and Enter
// into commands for the popup, offers the popup's context menu and ignores
// mouse movement (so hovering never changes the selection).
class popup_list_box : public window, public accessible_content {
public:
    // The control id the popup's commands come from.
    static constexpr int CONTROL_ID = 0;

    // Creates the list as a child of parent at (0, 0) and gives it a flat
    // vertical scroll bar on the background colour; no bar shows until the
    // rows fill the list. False when the control cannot be created.
    bool create(HWND parent, int width, int height, colour_value scroll_background);

    // Appends a row, showing the bar and widening its range once the rows
    // no longer fit.
    void add_item(const std::string& text);

    // The selected row, or -1 when there is none.
    int selected_index() const;
    void delete_row(int index);
    void clear_rows();

    bool scroll_bar_shown() const { return scroll_bar_shown_; }

    // The name a screen reader gives the list (the program's code page).
    void set_accessible_name(const std::string& name) { accessible_name_ = name; }
    // accessible_content: a list whose rows are its children.
    std::wstring accessible_name(long child) const override;
    long accessible_role(long child) const override;
    long accessible_child_count() const override;
    RECT accessible_location(long child) const override;

protected:
    void on_context_menu(HWND target, int x, int y) override;
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    void on_mouse_move(UINT key_flags, int x, int y) override;
    void on_v_scroll(UINT code, UINT position, HWND scroll_bar) override;
    LRESULT on_get_object(DWORD flags, LONG object_id) override;

private:
    int client_height() const;
    int item_height() const;
    void post_to_popup(UINT notify_code) const;
    void scroll_to(int position);

    bool scroll_bar_shown_ = false;
    std::string accessible_name_;
    accessibility_provider accessibility_{*this};
};
