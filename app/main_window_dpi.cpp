// The main window on monitors of different DPI, and as screen readers meet
// it: grip, margins, icon cell,
// fonts, the fields' heights and the minimum size are all derived from the
// DPI of the monitor the window is on, and derived anew when it changes.
#include "app/main_window.h"

#include "resources/resource.h"
#include "ui/monitor_dpi.h"
#include "ui/program_resources.h"

void main_window::take_dpi(int dpi) {
    dpi_ = dpi;
    editor_.set_dpi(dpi);
    answer_.set_dpi(dpi);
}

// The stored rectangle may lie on a monitor other than the one the window
// was created on; its size stays as the user left it.
void main_window::follow_monitor_dpi() {
    const int dpi = dpi_of_window(handle());
    if (dpi != dpi_)
        take_dpi(dpi);
}

// A DPI the window already has is a move the placement has prepared for
// (adopt_monitor_dpi): the window is laid out for it and keeps its size.
void main_window::on_dpi_changed(int dpi, RECT* suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    take_dpi(dpi);
    load_icon();
    if (suggested)
        SetWindowPos(handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    fit_height();
    if (settings_.show_tray)
        tray_icon(handle()).update_image(dpi);
    popup_.follow_dpi(dpi);
    redraw_all();
}

// The controls answer for themselves (named at creation); the window for
// itself and its icon cell.
void main_window::name_for_screen_readers() {
    editor_.set_accessible_name(load_text(IDS_ACCESSIBLE_EXPRESSION), false);
    answer_.set_accessible_name(load_text(IDS_ACCESSIBLE_ANSWER), true);
}

LRESULT main_window::on_get_object(DWORD flags, LONG object_id) {
    if (const LRESULT own = accessibility_.answer(handle(), flags, object_id))
        return own;
    return window::on_get_object(flags, object_id);
}
