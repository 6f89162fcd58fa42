#include "app/placement_rules.h"

#include <algorithm>
#include <climits>

#include "options/settings_ranges.h"

show_position usable_show_position(std::int32_t value) {
    return static_cast<show_position>(show_position_range.usable(value));
}

screen_point origin_above_caret(screen_point caret, int height) { return {caret.x, caret.y - height}; }

screen_point origin_at_top_right(int right, int top, int width) { return {right - width, top}; }

screen_point clamp_to_work_area(screen_point origin, int width, int height, int work_right, int work_bottom) {
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

namespace {

// Coordinates are worked out in 64 bits, so that no edge or size of a
// hand-edited rectangle can overflow.
using wide = long long;

int clamped_to_int(wide value) { return static_cast<int>(std::clamp<wide>(value, INT_MIN, INT_MAX)); }

// The start of a span of the given length inside [low, high), as near to
// wanted as the span allows; the low end wins for a span longer than the area.
wide start_within(wide wanted, wide length, wide low, wide high) {
    return std::max(low, std::min(wanted, high - length));
}

// The length from low to high, or the fallback when that is not positive.
wide usable_length(int low, int high, int fallback) {
    const wide length = wide{high} - low;
    return length > 0 ? length : fallback;
}

} // namespace

screen_rectangle with_usable_size(screen_rectangle wanted, int fallback_width, int fallback_height) {
    return {wanted.left, wanted.top,
            clamped_to_int(wanted.left + usable_length(wanted.left, wanted.right, fallback_width)),
            clamped_to_int(wanted.top + usable_length(wanted.top, wanted.bottom, fallback_height))};
}

screen_rectangle rectangle_on_work_area(screen_rectangle wanted, screen_rectangle work, int fallback_width,
                                        int fallback_height) {
    const wide width = std::min(usable_length(wanted.left, wanted.right, fallback_width),
                                std::max<wide>(wide{work.right} - work.left, 1));
    const wide height = std::min(usable_length(wanted.top, wanted.bottom, fallback_height),
                                 std::max<wide>(wide{work.bottom} - work.top, 1));
    const wide left = start_within(wanted.left, width, work.left, work.right);
    const wide top = start_within(wanted.top, height, work.top, work.bottom);
    return {clamped_to_int(left), clamped_to_int(top), clamped_to_int(left + width),
            clamped_to_int(top + height)};
}
