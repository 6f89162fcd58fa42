#include "app/popup_list_box.h"

#include <commctrl.h>
#include <oleacc.h>

#include "resources/resource.h"
#include "ui/program_resources.h"
#include "ui/visual_styles.h"

bool popup_list_box::create(HWND parent, int width, int height, colour_value scroll_background) {
    scroll_bar_shown_ = false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                        LBS_NOTIFY;
    const visual_styles_scope themed;
    if (!create_list_box_control(0, "", style, 0, 0, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(CONTROL_ID))))
        return false;
    InitializeFlatSB(handle());
    FlatSB_SetScrollProp(handle(), WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE);
    FlatSB_SetScrollProp(handle(), WSB_PROP_VBKGCOLOR, static_cast<INT_PTR>(scroll_background), FALSE);
    return true;
}

void popup_list_box::add_item(const std::string& text) {
    const int visible = client_height();
    const int row = item_height();
    const int count = static_cast<int>(SendMessageA(handle(), LB_GETCOUNT, 0, 0));
    if (!scroll_bar_shown_ && row * count >= visible) {
        FlatSB_ShowScrollBar(handle(), SB_VERT, TRUE);
        scroll_bar_shown_ = true;
    }
    // The bar's range lets the last row scroll up to the top of the list.
    if (scroll_bar_shown_)
        FlatSB_SetScrollRange(handle(), SB_VERT, 0, count + 1 - visible / row, TRUE);
    SendMessageA(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int popup_list_box::selected_index() const {
    const auto index = SendMessageA(handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void popup_list_box::delete_row(int index) { SendMessageA(handle(), LB_DELETESTRING, index, 0); }

void popup_list_box::clear_rows() { SendMessageA(handle(), LB_RESETCONTENT, 0, 0); }

int popup_list_box::client_height() const {
    RECT client{};
    GetClientRect(handle(), &client);
    return client.bottom - client.top;
}

// Never 0, so the page and range arithmetic cannot divide by zero.
int popup_list_box::item_height() const {
    const auto height = SendMessageA(handle(), LB_GETITEMHEIGHT, 0, 0);
    return height == LB_ERR || height < 1 ? 1 : static_cast<int>(height);
}

void popup_list_box::post_to_popup(UINT notify_code) const {
    PostMessageA(GetParent(handle()), WM_COMMAND, MAKEWPARAM(CONTROL_ID, notify_code),
                 reinterpret_cast<LPARAM>(handle()));
}

// Moves the bar, then shows the row the bar settled on (it keeps itself within
// its range) at the top, so list and bar never disagree.
void popup_list_box::scroll_to(int position) {
    FlatSB_SetScrollPos(handle(), SB_VERT, position, TRUE);
    SendMessageA(handle(), LB_SETTOPINDEX, FlatSB_GetScrollPos(handle(), SB_VERT), 0);
}

void popup_list_box::on_context_menu(HWND, int x, int y) {
    const popup_menu menu(IDR_LIST_MENU);
    if (!menu.items())
        return;
    EnableMenuItem(menu.items(), IDM_LIST_DELETE,
                   MF_BYCOMMAND | (selected_index() < 0 ? MF_GRAYED : MF_ENABLED));
    // The menu key and Shift+F10 give no position: open at the list's corner.
    if (x == -1 && y == -1) {
        POINT corner{0, 0};
        ClientToScreen(handle(), &corner);
        x = corner.x;
        y = corner.y;
    }
    menu.track(GetParent(handle()), x, y);
}

void popup_list_box::on_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    switch (virtual_key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE:
        // Closes the popup; Delete never deletes a row from the keyboard.
        post_to_popup(LBN_KILLFOCUS);
        return;
    case VK_RETURN:
        if (selected_index() >= 0)
            post_to_popup(LBN_DBLCLK);
        return;
    default: window::on_key_down(virtual_key, repeat, flags);
    }
}

void popup_list_box::on_mouse_move(UINT, int, int) {}

void popup_list_box::on_v_scroll(UINT code, UINT position, HWND) {
    const int current = FlatSB_GetScrollPos(handle(), SB_VERT);
    const int page = client_height() / item_height();
    switch (code) {
    case SB_LINEUP: scroll_to(current - 1); break;
    case SB_LINEDOWN: scroll_to(current + 1); break;
    case SB_PAGEUP: scroll_to(current - page); break;
    case SB_PAGEDOWN: scroll_to(current + page); break;
    case SB_THUMBTRACK: {
        // The track position is a signed 16-bit value.
        const int track = static_cast<short>(position);
        SendMessageA(handle(), LB_SETTOPINDEX, track, 0);
        FlatSB_SetScrollPos(handle(), SB_VERT, track, FALSE);
        break;
    }
    default: break;
    }
}

std::wstring popup_list_box::accessible_name(long child) const {
    if (child == CHILDID_SELF)
        return accessible_text(accessible_name_);
    const LRESULT length = SendMessageA(handle(), LB_GETTEXTLEN, static_cast<WPARAM>(child - 1), 0);
    if (length <= 0)
        return {};
    std::string row(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(handle(), LB_GETTEXT, static_cast<WPARAM>(child - 1),
                                        reinterpret_cast<LPARAM>(row.data()));
    row.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return accessible_text(row);
}

long popup_list_box::accessible_role(long child) const {
    return child == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
}

long popup_list_box::accessible_child_count() const {
    const LRESULT count = SendMessageA(handle(), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<long>(count) : 0;
}

RECT popup_list_box::accessible_location(long child) const {
    RECT r{};
    if (child == CHILDID_SELF)
        GetClientRect(handle(), &r);
    else
        SendMessageA(handle(), LB_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LRESULT popup_list_box::on_get_object(DWORD flags, LONG object_id) {
    if (const LRESULT own = accessibility_.answer(handle(), flags, object_id))
        return own;
    return window::on_get_object(flags, object_id);
}
