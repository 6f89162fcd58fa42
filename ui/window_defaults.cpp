// Default handlers: each packs its arguments back into the message's
// parameters and hands the message to the previous window procedure. Boolean
// handlers answer true exactly when that procedure answered 1.
#include "ui/window.h"

namespace {

WPARAM handle_param(HANDLE handle) { return reinterpret_cast<WPARAM>(handle); }
LPARAM handle_lparam(HANDLE handle) { return reinterpret_cast<LPARAM>(handle); }
LPARAM record_param(void* record) { return reinterpret_cast<LPARAM>(record); }
LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
LPARAM key_param(UINT repeat, UINT flags) { return MAKELPARAM(repeat, flags); }
// Only the byte of the character and the repeat count travel on.
WPARAM char_param(UINT character) { return character & 0xFF; }
LPARAM char_key_param(UINT key_data) { return key_data & 0xFFFF; }

} // namespace

LRESULT window::call_previous(UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcA(previous_procedure_, handle_, message, wparam, lparam);
}

void window::on_activate(UINT state, HWND other, bool minimized) {
    call_previous(WM_ACTIVATE, MAKEWPARAM(state, minimized ? 1 : 0), handle_lparam(other));
}

void window::on_activate_app(bool active, DWORD thread_id) {
    call_previous(WM_ACTIVATEAPP, active, static_cast<LPARAM>(thread_id));
}

void window::on_char(UINT character, UINT key_data) {
    call_previous(WM_CHAR, char_param(character), char_key_param(key_data));
}

void window::on_close() { call_previous(WM_CLOSE, 0, 0); }

void window::on_command(UINT notify_code, UINT id, HWND control) {
    call_previous(WM_COMMAND, MAKEWPARAM(id, notify_code), handle_lparam(control));
}

void window::on_context_menu(HWND target, int x, int y) {
    call_previous(WM_CONTEXTMENU, handle_param(target), point_param(x, y));
}

bool window::on_create(CREATESTRUCTA* creation) {
    return call_previous(WM_CREATE, 0, record_param(creation)) == 1;
}

HBRUSH window::on_ctl_color_edit(HDC dc, HWND control) {
    return reinterpret_cast<HBRUSH>(call_previous(WM_CTLCOLOREDIT, handle_param(dc), handle_lparam(control)));
}

HBRUSH window::on_ctl_color_list_box(HDC dc, HWND control) {
    return reinterpret_cast<HBRUSH>(
        call_previous(WM_CTLCOLORLISTBOX, handle_param(dc), handle_lparam(control)));
}

HBRUSH window::on_ctl_color_static(HDC dc, HWND control) {
    return reinterpret_cast<HBRUSH>(
        call_previous(WM_CTLCOLORSTATIC, handle_param(dc), handle_lparam(control)));
}

void window::on_destroy() { call_previous(WM_DESTROY, 0, 0); }

void window::on_dpi_changed(int dpi, RECT* suggested) {
    call_previous(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), record_param(suggested));
}

void window::on_draw_item(DRAWITEMSTRUCT* item) {
    call_previous(WM_DRAWITEM, item ? item->CtlID : 0, record_param(item));
}

void window::on_drop_files(HDROP drop) { call_previous(WM_DROPFILES, handle_param(drop), 0); }

void window::on_enable(bool enabled) { call_previous(WM_ENABLE, enabled, 0); }

bool window::on_erase_background(HDC dc) { return call_previous(WM_ERASEBKGND, handle_param(dc), 0) == 1; }

void window::on_help(HELPINFO* help) { call_previous(WM_HELP, 0, record_param(help)); }

void window::on_get_min_max_info(MINMAXINFO* info) { call_previous(WM_GETMINMAXINFO, 0, record_param(info)); }

LRESULT window::on_get_object(DWORD flags, LONG object_id) {
    return call_previous(WM_GETOBJECT, flags, static_cast<LPARAM>(object_id));
}

void window::on_hot_key(int id, UINT modifiers, UINT virtual_key) {
    call_previous(WM_HOTKEY, static_cast<WPARAM>(id), MAKELPARAM(modifiers, virtual_key));
}

void window::on_h_scroll(UINT code, UINT position, HWND scroll_bar) {
    call_previous(WM_HSCROLL, MAKEWPARAM(code, position), handle_lparam(scroll_bar));
}

bool window::on_init_dialog(HWND focus, LPARAM init_param) {
    return call_previous(WM_INITDIALOG, handle_param(focus), init_param) == 1;
}

void window::on_init_menu(HMENU menu) { call_previous(WM_INITMENU, handle_param(menu), 0); }

void window::on_init_menu_popup(HMENU menu, UINT index, bool system_menu) {
    call_previous(WM_INITMENUPOPUP, handle_param(menu), MAKELPARAM(index, system_menu ? 1 : 0));
}

void window::on_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    call_previous(WM_KEYDOWN, virtual_key, key_param(repeat, flags));
}

void window::on_key_up(UINT virtual_key, UINT repeat, UINT flags) {
    call_previous(WM_KEYUP, virtual_key, key_param(repeat, flags));
}

void window::on_kill_focus(HWND other) { call_previous(WM_KILLFOCUS, handle_param(other), 0); }

void window::on_l_button_dbl_clk(UINT key_flags, int x, int y) {
    call_previous(WM_LBUTTONDBLCLK, key_flags, point_param(x, y));
}

void window::on_l_button_down(UINT key_flags, int x, int y) {
    call_previous(WM_LBUTTONDOWN, key_flags, point_param(x, y));
}

void window::on_l_button_up(UINT key_flags, int x, int y) {
    call_previous(WM_LBUTTONUP, key_flags, point_param(x, y));
}

void window::on_measure_item(UINT control_id, MEASUREITEMSTRUCT* item) {
    call_previous(WM_MEASUREITEM, item ? item->CtlID : control_id, record_param(item));
}

void window::on_menu_select(UINT item, UINT flags, HMENU menu) {
    call_previous(WM_MENUSELECT, MAKEWPARAM(item, flags), handle_lparam(menu));
}

int window::on_mouse_activate(HWND top_level, UINT hit_test, UINT mouse_message) {
    return static_cast<int>(
        call_previous(WM_MOUSEACTIVATE, handle_param(top_level), MAKELPARAM(hit_test, mouse_message)));
}

void window::on_mouse_move(UINT key_flags, int x, int y) {
    call_previous(WM_MOUSEMOVE, key_flags, point_param(x, y));
}

void window::on_move(int x, int y) { call_previous(WM_MOVE, 0, point_param(x, y)); }

void window::on_moving(UINT edge, RECT* rect) { call_previous(WM_MOVING, edge, record_param(rect)); }

void window::on_setting_change(UINT action, const char* section) {
    call_previous(WM_SETTINGCHANGE, action, reinterpret_cast<LPARAM>(section));
}

void window::on_notify(int control_id, NMHDR* header) {
    call_previous(WM_NOTIFY, static_cast<WPARAM>(control_id), record_param(header));
}

int window::on_nc_hit_test(int x, int y) {
    return static_cast<int>(call_previous(WM_NCHITTEST, 0, point_param(x, y)));
}

void window::on_nc_l_button_down(UINT hit_test, int x, int y) {
    call_previous(WM_NCLBUTTONDOWN, hit_test, point_param(x, y));
}

void window::on_nc_l_button_up(UINT hit_test, int x, int y) {
    call_previous(WM_NCLBUTTONUP, hit_test, point_param(x, y));
}

void window::on_nc_paint(HRGN update_region) { call_previous(WM_NCPAINT, handle_param(update_region), 0); }

void window::on_nc_r_button_down(UINT hit_test, int x, int y) {
    call_previous(WM_NCRBUTTONDOWN, hit_test, point_param(x, y));
}

void window::on_nc_r_button_up(UINT hit_test, int x, int y) {
    call_previous(WM_NCRBUTTONUP, hit_test, point_param(x, y));
}

void window::on_paint() { call_previous(WM_PAINT, 0, 0); }

void window::on_parent_notify(UINT event, LPARAM lparam, UINT child_id) {
    call_previous(WM_PARENTNOTIFY, MAKEWPARAM(event, child_id), lparam);
}

bool window::on_query_end_session() { return call_previous(WM_QUERYENDSESSION, 0, 0) == 1; }
void window::on_end_session(bool ending) { call_previous(WM_ENDSESSION, ending ? TRUE : FALSE, 0); }

void window::on_r_button_dbl_clk(UINT key_flags, int x, int y) {
    call_previous(WM_RBUTTONDBLCLK, key_flags, point_param(x, y));
}

void window::on_r_button_down(UINT key_flags, int x, int y) {
    call_previous(WM_RBUTTONDOWN, key_flags, point_param(x, y));
}

void window::on_r_button_up(UINT key_flags, int x, int y) {
    call_previous(WM_RBUTTONUP, key_flags, point_param(x, y));
}

bool window::on_set_cursor(HWND target, UINT hit_test, UINT mouse_message) {
    return call_previous(WM_SETCURSOR, handle_param(target), MAKELPARAM(hit_test, mouse_message)) == 1;
}

void window::on_set_focus(HWND other) { call_previous(WM_SETFOCUS, handle_param(other), 0); }

void window::on_set_text(const char* text) { call_previous(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

void window::on_show_window(bool shown, UINT status) {
    call_previous(WM_SHOWWINDOW, shown, static_cast<LPARAM>(status));
}

void window::on_size(UINT type, UINT width, UINT height) {
    call_previous(WM_SIZE, type, MAKELPARAM(width, height));
}

void window::on_sizing(UINT edge, RECT* rect) { call_previous(WM_SIZING, edge, record_param(rect)); }

void window::on_timer(UINT_PTR id, TIMERPROC callback) {
    call_previous(WM_TIMER, id, reinterpret_cast<LPARAM>(callback));
}

void window::on_sys_char(UINT character, UINT key_data) {
    call_previous(WM_SYSCHAR, char_param(character), char_key_param(key_data));
}

void window::on_sys_color_change() { call_previous(WM_SYSCOLORCHANGE, 0, 0); }

void window::on_sys_command(UINT command, int x, int y) {
    call_previous(WM_SYSCOMMAND, command, point_param(x, y));
}

void window::on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    call_previous(WM_SYSKEYDOWN, virtual_key, key_param(repeat, flags));
}

void window::on_sys_key_up(UINT virtual_key, UINT repeat, UINT flags) {
    call_previous(WM_SYSKEYUP, virtual_key, key_param(repeat, flags));
}

void window::on_v_scroll(UINT code, UINT position, HWND scroll_bar) {
    call_previous(WM_VSCROLL, MAKEWPARAM(code, position), handle_lparam(scroll_bar));
}

void window::on_window_pos_changed(WINDOWPOS* position) {
    call_previous(WM_WINDOWPOSCHANGED, 0, record_param(position));
}

bool window::on_window_pos_changing(WINDOWPOS* position) {
    return call_previous(WM_WINDOWPOSCHANGING, 0, record_param(position)) == 1;
}
