#pragma once
#include <cstdint>

// Where the hotkey puts the calculator ("Show Position").
enum show_position : std::int32_t {
    show_at_caret = 0,     // its bottom edge on the caret's top
    show_at_top_right = 1, // its top right corner on the foreground window's
    show_where_it_was = 2, // not moved
};

// A hand-edited settings file may hold any number: anything but the three
// positions means the default, at the caret.
show_position usable_show_position(std::int32_t value);

struct screen_point {
    int x = 0;
    int y = 0;
    bool operator==(const screen_point&) const = default;
};

// The window's top left corner so that its bottom edge lies on the caret's top.
screen_point origin_above_caret(screen_point caret, int height);

// The window's top left corner so that its top right corner lies on the
// top right corner of a window whose right edge and top edge are given.
screen_point origin_at_top_right(int right, int top, int width);

// Keeps a window of the given size on the work area: first not left of or
// above the screen origin, then not beyond the work area's right and bottom
// edges, which win when the window is larger than the area.
screen_point clamp_to_work_area(screen_point origin, int width, int height, int work_right, int work_bottom);

struct screen_rectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const screen_rectangle&) const = default;
};

// A stored window rectangle with a size that can be shown: a width or height
// that is not positive (a hand-edited file, or an overflowing difference)
// takes the fallback size. The right and bottom edges stop at the largest
// coordinate rather than overflow.
screen_rectangle with_usable_size(screen_rectangle wanted, int fallback_width, int fallback_height);

// Where a window stored as wanted is shown on a work area: its size made
// usable as above and no larger than the area, then moved the least distance
// that puts it wholly on the area.
screen_rectangle rectangle_on_work_area(screen_rectangle wanted, screen_rectangle work, int fallback_width,
                                        int fallback_height);
