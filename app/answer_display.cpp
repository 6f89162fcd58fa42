#include "app/answer_display.h"

#include "resources/resource.h"
#include "ui/program_resources.h"

namespace {

framed_edit::look initial_look() {
    return {GetSysColor(COLOR_BTNFACE), rgb(0, 0, 0), GetSysColor(COLOR_BTNSHADOW), 0, "HGP創英角ﾎﾟｯﾌﾟ体", 9};
}

} // namespace

answer_display::answer_display(answer_display_owner& owner) : framed_edit(initial_look()), owner_(owner) {}

bool answer_display::create(HWND parent) {
    constexpr DWORD style = WS_CHILD | ES_READONLY | ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL;
    return create_control(0, "", style, 0, 0, 0, 0, parent, nullptr);
}

void answer_display::on_command(UINT, UINT id, HWND) {
    if (id == IDM_ANSWER_COPY)
        copy_all();
}

void answer_display::on_context_menu(HWND, int x, int y) {
    const popup_menu menu(IDR_ANSWER_MENU);
    if (!menu.items())
        return;
    // From the keyboard the position is (-1, -1): open at the control instead
    // of the screen's corner.
    if (x == -1 && y == -1) {
        RECT bounds{};
        GetWindowRect(handle(), &bounds);
        x = bounds.left;
        y = bounds.bottom;
    }
    menu.track(handle(), x, y);
}

// The control never sees a key: no caret moves in a field that only shows.
void answer_display::on_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    owner_.display_key_down(virtual_key, repeat, flags);
}

// Copies the whole answer, whatever part was selected, and leaves it selected.
void answer_display::copy_all() {
    SendMessageA(handle(), EM_SETSEL, 0, -1);
    SendMessageA(handle(), WM_COPY, 0, 0);
}
