#include "app/caret_locator.h"

#include <optional>

#include "app/accessibility_worker.h"

namespace {

screen_rectangle on_screen(HWND window, RECT area) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.right),
            static_cast<int>(area.bottom)};
}

// The caret a thread created with CreateCaret, read without attaching to it.
std::optional<text_anchor> system_caret(HWND focus) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(focus, nullptr), &info) || !info.hwndCaret)
        return std::nullopt;
    return text_anchor{anchor_kind::caret, anchor_source::system_caret,
                       on_screen(info.hwndCaret, info.rcCaret)};
}

text_anchor focus_window_corner(HWND focus) {
    return {anchor_kind::caret, anchor_source::focus_window, on_screen(focus, RECT{0, 0, 0, 0})};
}

} // namespace

text_anchor locate_text(HWND focus, DWORD allowed_ms) {
    if (std::optional<text_anchor> caret = system_caret(focus))
        return *caret;
    // Never destroyed: its thread may still wait on a hung target while the
    // program ends.
    static accessibility_worker& worker = *new accessibility_worker;
    if (std::optional<text_anchor> accessible = worker.ask(focus, allowed_ms))
        return *accessible;
    return focus_window_corner(focus);
}
