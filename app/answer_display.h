#pragma once
#include <windows.h>

#include "ui/framed_edit.h"

// What the answer display needs from the window that owns it (the main
// window): every key pressed in the display, which the display itself ignores
// (Escape, Page Up and Page Down mean something to the owner).
class answer_display_owner {
public:
    virtual void display_key_down(UINT virtual_key, UINT repeat, UINT flags) = 0;

protected:
    ~answer_display_owner() = default;
};

// The read-only field under the expression editor that shows the answer, the
// result of an incomplete expression or an error message. Keys go to the
// owner; its context menu copies the whole text.
class answer_display : public framed_edit {
public:
    explicit answer_display(answer_display_owner& owner);

    // A child of parent with no control id, at zero size until laid out.
    bool create(HWND parent);

protected:
    void on_command(UINT notify_code, UINT id, HWND control) override;
    void on_context_menu(HWND target, int x, int y) override;
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override;

private:
    void copy_all();

    answer_display_owner& owner_;
};
