#include "app/placement.h"

#include "app/placement_rules.h"
#include "app/placement_monitor.h"
#include "ui/monitor_dpi.h"
#include "app/text_anchor.h"

namespace {

// The origin for the chosen position; false when the window stays where it is.
bool wanted_origin(show_position position, const text_anchor* anchor, int width, int height, int work_bottom,
                   screen_point& origin) {
    if (position == show_at_top_right) {
        RECT foreground{};
        HWND front = GetForegroundWindow();
        if (!front || !GetWindowRect(front, &foreground))
            return false;
        origin = origin_at_top_right(foreground.right, foreground.top, width);
        return true;
    }
    // At the text: without a receiving window there is nothing to go to.
    if (!anchor)
        return false;
    origin = origin_at_anchor(*anchor, height, work_bottom);
    return true;
}

} // namespace

void place_window(HWND window, std::int32_t show_position, HWND send_target, POINT caret) {
    // Without a receiving window (or once it is gone) there is no caret.
    if (!send_target || !ClientToScreen(send_target, &caret)) {
        place_window(window, show_position, nullptr);
        return;
    }
    const int x = static_cast<int>(caret.x);
    const int y = static_cast<int>(caret.y);
    const text_anchor anchor{anchor_kind::caret, anchor_source::system_caret, {x, y, x, y}};
    place_window(window, show_position, &anchor);
}

void place_window(HWND window, std::int32_t show_position_setting, const text_anchor* anchor) {
    const show_position position = usable_show_position(show_position_setting);
    // Where it was, unless that is no longer on any screen.
    if (position == show_where_it_was) {
        keep_on_screen(window);
        return;
    }
    // Laid out for the monitor's DPI before it is measured, moved and shown.
    if (HMONITOR monitor = placement_monitor(position, anchor))
        adopt_monitor_dpi(window, monitor);

    RECT bounds{};
    if (!GetWindowRect(window, &bounds))
        return;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;

    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    screen_point origin;
    if (!wanted_origin(position, anchor, width, height, work.bottom, origin))
        return;
    origin = clamp_to_work_area(origin, width, height, work.right, work.bottom);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

screen_rectangle from_rect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

// The work area of the monitor nearest to the rectangle; the primary one when
// monitors cannot be asked.
RECT nearest_work_area(const screen_rectangle& rectangle) {
    const RECT area{rectangle.left, rectangle.top, rectangle.right, rectangle.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

} // namespace

void move_onto_screen(HWND window, const screen_rectangle& wanted, int fallback_width, int fallback_height) {
    const RECT work = nearest_work_area(with_usable_size(wanted, fallback_width, fallback_height));
    const screen_rectangle shown = rectangle_on_work_area(wanted, from_rect(work), fallback_width,
                                                          fallback_height);
    SetWindowPos(window, nullptr, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void keep_on_screen(HWND window) {
    RECT now{};
    if (!GetWindowRect(window, &now))
        return;
    const screen_rectangle current = from_rect(now);
    const screen_rectangle shown = rectangle_on_work_area(current, from_rect(nearest_work_area(current)),
                                                          current.right - current.left,
                                                          current.bottom - current.top);
    if (shown != current)
        SetWindowPos(window, nullptr, shown.left, shown.top, shown.right - shown.left,
                     shown.bottom - shown.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
