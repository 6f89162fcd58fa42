#pragma once
#include "ui/window.h"

// A modal dialog from the program's resources. Its messages are cracked by
// dialog_dispatch (not dispatch) and its previous window procedure stays
// DefWindowProc. A dialog ends only through code that ends it: without an
// overridden on_ok, Enter does nothing.
class dialog : public window {
public:
    dialog();

    // Runs the dialog of the template id modally with this object; returns the
    // value it ended with (-1 when it could not be created).
    INT_PTR run_modal(int template_id, HWND parent);

    // The dialog cracker, used by dialog_procedure and page_procedure; the
    // result goes back to the dialog manager: TRUE for a message a handler of
    // the dialog took, FALSE for one left to the dialog manager's default
    // (no handler, or one that handed the message on).
    INT_PTR dialog_dispatch(UINT message, WPARAM wparam, LPARAM lparam);

    // One message of dialog_procedure or page_procedure: attaches the object
    // at WM_INITDIALOG, forgets it at WM_NCDESTROY and cracks the rest. A
    // handler that throws answers FALSE, the dialog manager's default.
    static INT_PTR procedure_message(HWND handle, UINT message, WPARAM wparam, LPARAM lparam,
                                     dialog* object_at_init);

    void end_dialog(INT_PTR result);

    // Items of the dialog.
    void get_item_text(int item_id, std::string& text) const;
    bool set_item_int(int item_id, UINT value, bool is_signed);
    bool set_item_text(int item_id, const char* text);
    bool check_button(int item_id, UINT check_state);
    // The lowest id in [first_id, last_id] whose button is checked, or -1.
    int find_checked_radio(int first_id, int last_id) const;

protected:
    virtual void on_ok();
    virtual void on_cancel();

    // The close box and Alt+F4 mean Cancel, as in every standard dialog.
    // (Handing WM_CLOSE to DefWindowProc would destroy a modal dialog under
    // the dialog manager and leave its owner disabled.)
    void on_close() override;

private:
    // The previous window procedure of a dialog. The default handlers hand
    // their message on to it, which marks the message unhandled.
    static LRESULT CALLBACK note_unhandled(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);
    // Cracks the message; false when dialog_dispatch does not crack it.
    bool crack(UINT message, WPARAM wparam, LPARAM lparam);

    bool unhandled_ = false;
};

// Modal dialogs: the object is the initialisation parameter of WM_INITDIALOG;
// messages before it answer FALSE.
INT_PTR CALLBACK dialog_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);
