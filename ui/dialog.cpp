#include "ui/dialog.h"

#include <utility>

#include "ui/exception_guard.h"
#include "ui/program_resources.h"
#include "ui/visual_styles.h"
#include "ui/window_procedure.h"

INT_PTR CALLBACK dialog_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    dialog* object = message == WM_INITDIALOG ? reinterpret_cast<dialog*>(lparam) : nullptr;
    return dialog::procedure_message(handle, message, wparam, lparam, object);
}

INT_PTR dialog::procedure_message(HWND handle, UINT message, WPARAM wparam, LPARAM lparam,
                                  dialog* object_at_init) {
    if (message == WM_INITDIALOG)
        attach_window_object(handle, object_at_init);
    auto* object = static_cast<dialog*>(find_window_object(handle));
    if (!object)
        return FALSE;
    if (message == WM_NCDESTROY) {
        forget_window_object(handle, object);
        return FALSE;
    }
    return guarded([&] { return object->dialog_dispatch(message, wparam, lparam); },
                   [] { return INT_PTR{FALSE}; });
}

dialog::dialog() { set_previous_procedure(note_unhandled); }

LRESULT CALLBACK dialog::note_unhandled(HWND handle, UINT, WPARAM, LPARAM) {
    if (auto* object = static_cast<dialog*>(find_window_object(handle)))
        object->unhandled_ = true;
    return 0;
}

void dialog::on_ok() {}

void dialog::on_cancel() {}

void dialog::on_close() { on_cancel(); }

INT_PTR dialog::run_modal(int template_id, HWND parent) {
    const visual_styles_scope themed;
    return DialogBoxParamA(program_instance(), MAKEINTRESOURCEA(template_id), parent, dialog_procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR dialog::dialog_dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    // The initial focus: TRUE lets the dialog manager set it.
    if (message == WM_INITDIALOG)
        return on_init_dialog(reinterpret_cast<HWND>(wparam), lparam) ? TRUE : FALSE;
    // A handler may send the dialog messages of its own.
    const bool outer_unhandled = std::exchange(unhandled_, false);
    const bool handled = crack(message, wparam, lparam) && !unhandled_;
    unhandled_ = outer_unhandled;
    return handled ? TRUE : FALSE;
}

bool dialog::crack(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND: {
        UINT notify_code = HIWORD(wparam);
        UINT id = LOWORD(wparam);
        on_command(notify_code, id, reinterpret_cast<HWND>(lparam));
        // OK and Cancel are the dialog's own, even when nothing ends it.
        if (notify_code == 0 && (id == IDOK || id == IDCANCEL)) {
            id == IDOK ? on_ok() : on_cancel();
            unhandled_ = false;
        }
        return true;
    }
    case WM_DESTROY: on_destroy(); return true;
    case WM_CLOSE: on_close(); return true;
    case WM_SETFOCUS: on_set_focus(reinterpret_cast<HWND>(wparam)); return true;
    case WM_SHOWWINDOW: on_show_window(wparam != 0, static_cast<UINT>(lparam)); return true;
    case WM_DRAWITEM: on_draw_item(reinterpret_cast<DRAWITEMSTRUCT*>(lparam)); return true;
    case WM_NOTIFY: on_notify(static_cast<int>(wparam), reinterpret_cast<NMHDR*>(lparam)); return true;
    case WM_HELP: on_help(reinterpret_cast<HELPINFO*>(lparam)); return true;
    default: return false;
    }
}

void dialog::end_dialog(INT_PTR result) { EndDialog(handle(), result); }

void dialog::get_item_text(int item_id, std::string& text) const {
    // A temporary, unregistered wrapper of the item.
    window item;
    item.attach(GetDlgItem(handle(), item_id));
    item.get_window_text(text);
}

bool dialog::set_item_int(int item_id, UINT value, bool is_signed) {
    return SetDlgItemInt(handle(), item_id, value, is_signed) != FALSE;
}

bool dialog::set_item_text(int item_id, const char* text) {
    return SetDlgItemTextA(handle(), item_id, text) != FALSE;
}

bool dialog::check_button(int item_id, UINT check_state) {
    return CheckDlgButton(handle(), item_id, check_state) != FALSE;
}

int dialog::find_checked_radio(int first_id, int last_id) const {
    for (int id = first_id; id <= last_id; ++id) {
        if (IsDlgButtonChecked(handle(), id) == BST_CHECKED)
            return id;
    }
    return -1;
}
