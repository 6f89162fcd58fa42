#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/window.h"

// The about box's mail line: a static control subclassed into a link. While
// the mouse is over it, it is drawn blue and underlined; a 100 ms timer
// notices when the mouse has gone (WM_MOUSELEAVE would miss a mouse that
// leaves the dialog altogether). A click opens a "mailto:" link.
class mail_line : public window {
public:
    // Opens a link on the user's behalf; the owner is the control.
    using link_opener = std::function<void(HWND owner, const std::string& link)>;

    static constexpr UINT_PTR hover_timer = 1;
    static constexpr UINT hover_check_ms = 100;

    mail_line() = default;
    ~mail_line() override;

    // Subclasses the dialog's control, which shows "Mail: " and the address,
    // and makes the underlined font from the control's own (borrowed) font.
    bool attach_control(HWND control, const std::string& address, link_opener opener);

    // Deletes the underlined font once the dialog goes; the line then draws
    // in the dialog's font.
    void release_font();

    bool hovering() const { return hovering_; }

protected:
    void on_paint() override;
    bool on_set_cursor(HWND target, UINT hit_test, UINT mouse_message) override;
    void on_mouse_move(UINT key_flags, int x, int y) override;
    void on_timer(UINT_PTR id, TIMERPROC callback) override;
    void on_l_button_down(UINT key_flags, int x, int y) override;

private:
    bool cursor_is_inside() const;
    void follow_font();
    void redraw();

    std::string address_;
    link_opener open_link_;
    HFONT font_ = nullptr;            // the dialog's, borrowed
    HFONT underlined_font_ = nullptr; // owned
    bool hovering_ = false;
};
