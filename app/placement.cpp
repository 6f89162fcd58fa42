#include "app/placement.h"

#include "app/placement_arithmetic.h"

namespace {

// The origin for the chosen position; false when the window stays where it is.
bool wanted_origin(show_position position, HWND send_target, POINT caret, int width, int height,
                   screen_point& origin) {
    if (position == show_at_top_right) {
        RECT foreground{};
        HWND front = GetForegroundWindow();
        if (!front || !GetWindowRect(front, &foreground))
            return false;
        origin = origin_at_top_right(foreground.right, foreground.top, width);
        return true;
    }
    // At the caret: without a receiving window (or once it is gone) there is
    // no caret to go to.
    if (!send_target || !ClientToScreen(send_target, &caret))
        return false;
    origin = origin_above_caret({caret.x, caret.y}, height);
    return true;
}

} // namespace

void place_window(HWND window, std::int32_t show_position_setting, HWND send_target, POINT caret) {
    const show_position position = usable_show_position(show_position_setting);
    if (position == show_where_it_was)
        return;

    RECT bounds{};
    if (!GetWindowRect(window, &bounds))
        return;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;

    screen_point origin;
    if (!wanted_origin(position, send_target, caret, width, height, origin))
        return;

    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    origin = clamp_to_work_area(origin, width, height, work.right, work.bottom);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
