#include "ui/text.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int buffer_step = 256;

} // namespace

int get_window_text(HWND window, std::string& text) {
    text.clear();
    int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return 0;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    int copied = GetWindowTextA(window, buffer.data(), length + 1);
    if (copied > 0)
        text.assign(buffer.data(), static_cast<std::size_t>(copied));
    return static_cast<int>(text.size());
}

void get_list_view_item_text(HWND list_view, int item, int subitem, std::string& text) {
    text.clear();
    for (int size = buffer_step;; size += buffer_step) {
        std::vector<char> buffer(static_cast<std::size_t>(size));
        LVITEMA request{};
        request.iSubItem = subitem;
        request.pszText = buffer.data();
        request.cchTextMax = size;
        auto length = static_cast<int>(SendMessageA(list_view, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                                    reinterpret_cast<LPARAM>(&request)));
        if (length <= 0)
            return;
        if (size - length > 2) {
            text.assign(buffer.data(), static_cast<std::size_t>(length));
            return;
        }
    }
}

void get_combo_selection_text(HWND combo_box, std::string& text) {
    text.clear();
    auto selection = SendMessageA(combo_box, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return;
    auto length = SendMessageA(combo_box, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0);
    if (length == CB_ERR || length <= 0)
        return;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    auto copied = SendMessageA(combo_box, CB_GETLBTEXT, static_cast<WPARAM>(selection),
                               reinterpret_cast<LPARAM>(buffer.data()));
    if (copied > 0 && copied <= length)
        text.assign(buffer.data(), static_cast<std::size_t>(copied));
}
