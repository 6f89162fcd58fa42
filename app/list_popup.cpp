#include "app/list_popup.h"

#include <string>
#include <vector>

#include "resources/resource.h"
#include "ui/dpi_scale.h"
#include "ui/program_resources.h"
#include "ui/window_procedure.h"

list_popup::list_popup(list_popup_owner& owner) : owner_(owner) {}

list_popup::~list_popup() {
    if (handle())
        DestroyWindow(handle());
}

bool list_popup::register_window_class() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(program_instance(), CLASS_NAME, &existing))
        return true;
    return register_class(CLASS_NAME, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                          LoadCursorA(nullptr, IDC_ARROW), nullptr) != 0;
}

// Below the editor and as wide as it; above it instead when the work area
// ends too soon, so that the list never opens off the screen.
RECT list_popup::placement() const {
    RECT editor{};
    GetWindowRect(owner_.list_anchor(), &editor);
    const int height = dpi_scale{dpi_}(HEIGHT);
    RECT popup{editor.left, editor.bottom, editor.right, editor.bottom + height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromRect(&editor, MONITOR_DEFAULTTONEAREST), &monitor) &&
        popup.bottom > monitor.rcWork.bottom && editor.top - height >= monitor.rcWork.top) {
        popup.top = editor.top - height;
        popup.bottom = editor.top;
    }
    return popup;
}

bool list_popup::open(list_kind kind) {
    if (handle())
        close();
    // While a delete confirmation is up the popup stays: a second one on the
    // same object would leave the first on the screen, owned by nobody.
    if (handle())
        return false;
    if (!register_window_class())
        return false;
    dpi_ = owner_.list_dpi();
    const RECT area = placement();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // The popup and its list carry the name a screen reader gives them.
    const std::string name = load_text(kind == history_list ? IDS_ACCESSIBLE_HISTORY : IDS_ACCESSIBLE_VARIABLES);
    list_.set_accessible_name(name);
    if (!create(0, CLASS_NAME, name.c_str(), WS_POPUP | WS_CLIPCHILDREN, area.left, area.top, width, height,
                owner_.list_owner_window(), nullptr))
        return false;
    if (!list_.create(handle(), width, height, owner_.list_scroll_bar_colour())) {
        DestroyWindow(handle());
        return false;
    }
    SendMessageA(list_.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    kind_ = kind;
    fill();
    // Showing activates the popup, whose activation sets the font and focus.
    ShowWindow(handle(), SW_SHOW);
    return true;
}

void list_popup::fill() {
    for (const std::string& row : owner_.list_rows(kind_))
        list_.add_item(row);
}

// The rows anew, the selection kept on the same row number where there is one.
void list_popup::refill() {
    const int selected = list_.selected_index();
    list_.clear_rows();
    fill();
    if (selected >= 0)
        SendMessageA(list_.handle(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void list_popup::close() {
    if (closing_suppressed_ || !handle())
        return;
    // Destroying takes the focus from the list, which asks to close again.
    closing_suppressed_ = true;
    DestroyWindow(handle());
    SetFocus(owner_.list_anchor());
    closing_suppressed_ = false;
}

void list_popup::use_selected_entry() {
    const int index = list_.selected_index();
    if (index >= 0)
        owner_.insert_list_entry(kind_, static_cast<std::size_t>(index));
    close();
}

void list_popup::delete_entries(bool all) {
    const int index = list_.selected_index();
    if (!all && index < 0)
        return;
    // The confirmation takes the focus from the list; the popup stays open.
    closing_suppressed_ = true;
    const std::vector<std::string> shown = owner_.list_rows(kind_);
    const bool deleted = owner_.delete_list_entries(list_.handle(), kind_,
                                                    static_cast<std::size_t>(index < 0 ? 0 : index), all);
    if (handle()) {
        if (deleted && all)
            list_.clear_rows();
        else if (deleted)
            list_.delete_row(index);
        else if (owner_.list_rows(kind_) != shown)
            refill(); // the owner refused: its list changed while it asked
    }
    closing_suppressed_ = false;
}

void list_popup::on_command(UINT notify_code, UINT id, HWND control) {
    if (control) {
        if (control != list_.handle())
            return;
        if (notify_code == LBN_DBLCLK)
            use_selected_entry();
        else if (notify_code == LBN_KILLFOCUS)
            close();
        return;
    }
    switch (id) {
    case IDM_LIST_CLOSE: close(); break;
    case IDM_LIST_DELETE: delete_entries(false); break;
    case IDM_LIST_DELETE_ALL: delete_entries(true); break;
    default: break;
    }
}

void list_popup::on_activate(UINT state, HWND, bool) {
    if (!list_.handle())
        return;
    // The editor's font may have changed since the last opening.
    apply_font(true);
    // Taking the focus while losing the activation would pull it back from
    // the window being activated (the delete confirmation among them).
    if (state != WA_INACTIVE)
        SetFocus(list_.handle());
}

void list_popup::apply_font(bool redraw) {
    SendMessageA(list_.handle(), WM_SETFONT, 0, FALSE);
    font_.create_point_font_at_dpi(owner_.list_font_face().c_str(), owner_.list_font_size(), dpi_);
    SendMessageA(list_.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), redraw ? TRUE : FALSE);
}

void list_popup::follow_dpi(int dpi) {
    if (!handle() || dpi == dpi_)
        return;
    dpi_ = dpi;
    const RECT area = placement();
    SetWindowPos(handle(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    apply_font(true);
}

// The system moved the popup to a monitor of another DPI.
void list_popup::on_dpi_changed(int dpi, RECT* suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    dpi_ = dpi;
    if (suggested)
        SetWindowPos(handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    apply_font(true);
}

// The list fills the popup.
void list_popup::on_size(UINT, UINT width, UINT height) {
    if (list_.handle())
        SetWindowPos(list_.handle(), nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH list_popup::on_ctl_color_list_box(HDC dc, HWND) { return owner_.list_colours(dc); }
