#include "app/placement_arithmetic.h"

show_position usable_show_position(std::int32_t value) {
    switch (value) {
    case show_at_top_right:
        return show_at_top_right;
    case show_where_it_was:
        return show_where_it_was;
    default:
        return show_at_caret;
    }
}

screen_point origin_above_caret(screen_point caret, int height) {
    return {caret.x, caret.y - height};
}

screen_point origin_at_top_right(int right, int top, int width) { return {right - width, top}; }

screen_point clamp_to_work_area(screen_point origin, int width, int height, int work_right,
                                int work_bottom) {
    // The left and top limits are the screen origin, not the work area's own
    // left and top: a taskbar on the left or top may still be covered.
    if (origin.x < 0)
        origin.x = 0;
    if (origin.y < 0)
        origin.y = 0;
    // Compared as 64-bit sums so that extreme coordinates cannot overflow.
    if (static_cast<long long>(origin.x) + width > work_right)
        origin.x = work_right - width;
    if (static_cast<long long>(origin.y) + height > work_bottom)
        origin.y = work_bottom - height;
    return origin;
}
