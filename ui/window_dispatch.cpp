// The message cracker: one case per message, unpacking the parameters for its
// handler and turning the handler's answer into the message result. Every
// other message goes unchanged to the previous window procedure.
#include <windowsx.h>

#include "ui/window.h"

namespace {

UINT low(WPARAM value) { return LOWORD(value); }
UINT high(WPARAM value) { return HIWORD(value); }
int x_of(LPARAM value) { return GET_X_LPARAM(value); }
int y_of(LPARAM value) { return GET_Y_LPARAM(value); }
LRESULT as_result(bool value) { return value ? 1 : 0; }

template <typename T>
T* record(LPARAM lparam) {
    return reinterpret_cast<T*>(lparam);
}

} // namespace

LRESULT window::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    auto w_handle = reinterpret_cast<HWND>(wparam);
    auto l_handle = reinterpret_cast<HWND>(lparam);
    auto dc = reinterpret_cast<HDC>(wparam);
    auto key_data = static_cast<UINT>(lparam);

    switch (message) {
    case WM_CREATE: return as_result(on_create(record<CREATESTRUCTA>(lparam)));
    case WM_DESTROY: on_destroy(); return 0;
    case WM_CLOSE: on_close(); return 0;
    case WM_PAINT: on_paint(); return 0;
    case WM_SYSCOLORCHANGE: on_sys_color_change(); return 0;
    case WM_QUERYENDSESSION: return as_result(on_query_end_session());
    case WM_ENDSESSION: on_end_session(wparam != 0); return 0;
    case WM_ERASEBKGND: return as_result(on_erase_background(dc));
    case WM_WINDOWPOSCHANGING: return as_result(on_window_pos_changing(record<WINDOWPOS>(lparam)));
    case WM_INITDIALOG: return as_result(on_init_dialog(w_handle, lparam));
    case WM_SETCURSOR: return as_result(on_set_cursor(w_handle, low(lparam), high(lparam)));
    case WM_MOUSEACTIVATE: return on_mouse_activate(w_handle, low(lparam), high(lparam));
    case WM_NCHITTEST: return on_nc_hit_test(x_of(lparam), y_of(lparam));
    case WM_CTLCOLOREDIT: return reinterpret_cast<LRESULT>(on_ctl_color_edit(dc, l_handle));
    case WM_CTLCOLORLISTBOX: return reinterpret_cast<LRESULT>(on_ctl_color_list_box(dc, l_handle));
    case WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(on_ctl_color_static(dc, l_handle));
    case WM_SETTEXT: on_set_text(reinterpret_cast<const char*>(lparam)); return 1;
    case WM_MOVE: on_move(x_of(lparam), y_of(lparam)); return 0;
    case WM_SIZE: on_size(static_cast<UINT>(wparam), low(lparam), high(lparam)); return 0;
    case WM_ACTIVATE: on_activate(low(wparam), l_handle, high(wparam) != 0); return 0;
    case WM_SETFOCUS: on_set_focus(w_handle); return 0;
    case WM_KILLFOCUS: on_kill_focus(w_handle); return 0;
    case WM_ENABLE: on_enable(wparam != 0); return 0;
    case WM_SHOWWINDOW: on_show_window(wparam != 0, static_cast<UINT>(lparam)); return 0;
    case WM_ACTIVATEAPP: on_activate_app(wparam != 0, static_cast<DWORD>(lparam)); return 0;
    case WM_GETMINMAXINFO: on_get_min_max_info(record<MINMAXINFO>(lparam)); return 0;
    case WM_WINDOWPOSCHANGED: on_window_pos_changed(record<WINDOWPOS>(lparam)); return 0;
    case WM_HELP: on_help(record<HELPINFO>(lparam)); return 0;
    case WM_DRAWITEM: on_draw_item(record<DRAWITEMSTRUCT>(lparam)); return 0;
    case WM_MEASUREITEM:
        on_measure_item(static_cast<UINT>(wparam), record<MEASUREITEMSTRUCT>(lparam));
        return 0;
    case WM_NOTIFY: on_notify(static_cast<int>(wparam), record<NMHDR>(lparam)); return 0;
    case WM_CONTEXTMENU: on_context_menu(w_handle, x_of(lparam), y_of(lparam)); return 0;
    case WM_NCPAINT: on_nc_paint(reinterpret_cast<HRGN>(wparam)); return 0;
    case WM_NCLBUTTONDOWN:
        on_nc_l_button_down(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam));
        return 0;
    case WM_NCLBUTTONUP: on_nc_l_button_up(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_NCRBUTTONDOWN:
        on_nc_r_button_down(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam));
        return 0;
    case WM_NCRBUTTONUP: on_nc_r_button_up(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_MOUSEMOVE: on_mouse_move(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_LBUTTONDOWN: on_l_button_down(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_LBUTTONUP: on_l_button_up(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_LBUTTONDBLCLK:
        on_l_button_dbl_clk(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam));
        return 0;
    case WM_RBUTTONDOWN: on_r_button_down(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_RBUTTONUP: on_r_button_up(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_RBUTTONDBLCLK:
        on_r_button_dbl_clk(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam));
        return 0;
    case WM_KEYDOWN: on_key_down(static_cast<UINT>(wparam), low(lparam), high(lparam)); return 0;
    case WM_KEYUP: on_key_up(static_cast<UINT>(wparam), low(lparam), high(lparam)); return 0;
    case WM_SYSKEYDOWN: on_sys_key_down(static_cast<UINT>(wparam), low(lparam), high(lparam)); return 0;
    case WM_SYSKEYUP: on_sys_key_up(static_cast<UINT>(wparam), low(lparam), high(lparam)); return 0;
    case WM_CHAR: on_char(static_cast<UINT>(wparam), key_data); return 0;
    case WM_SYSCHAR: on_sys_char(static_cast<UINT>(wparam), key_data); return 0;
    case WM_COMMAND: on_command(high(wparam), low(wparam), l_handle); return 0;
    case WM_SYSCOMMAND: on_sys_command(static_cast<UINT>(wparam), x_of(lparam), y_of(lparam)); return 0;
    case WM_TIMER: on_timer(wparam, reinterpret_cast<TIMERPROC>(lparam)); return 0;
    case WM_HSCROLL: on_h_scroll(low(wparam), high(wparam), l_handle); return 0;
    case WM_VSCROLL: on_v_scroll(low(wparam), high(wparam), l_handle); return 0;
    case WM_INITMENU: on_init_menu(reinterpret_cast<HMENU>(wparam)); return 0;
    case WM_INITMENUPOPUP:
        on_init_menu_popup(reinterpret_cast<HMENU>(wparam), low(lparam), high(lparam) != 0);
        return 0;
    case WM_MENUSELECT: on_menu_select(low(wparam), high(wparam), reinterpret_cast<HMENU>(lparam)); return 0;
    case WM_PARENTNOTIFY: on_parent_notify(low(wparam), lparam, high(wparam)); return 0;
    case WM_SIZING: on_sizing(static_cast<UINT>(wparam), record<RECT>(lparam)); return 0;
    case WM_MOVING: on_moving(static_cast<UINT>(wparam), record<RECT>(lparam)); return 0;
    case WM_DROPFILES: on_drop_files(reinterpret_cast<HDROP>(wparam)); return 0;
    case WM_DPICHANGED: on_dpi_changed(static_cast<int>(high(wparam)), record<RECT>(lparam)); return 0;
    case WM_GETOBJECT: return on_get_object(static_cast<DWORD>(wparam), static_cast<LONG>(lparam));
    case WM_SETTINGCHANGE:
        on_setting_change(static_cast<UINT>(wparam), reinterpret_cast<const char*>(lparam));
        return 0;
    case WM_HOTKEY: on_hot_key(static_cast<int>(wparam), low(lparam), high(lparam)); return 0;
    default: return call_previous(message, wparam, lparam);
    }
}
