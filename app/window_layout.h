#pragma once
#include <cstdint>

#include "options/settings.h"
#include "ui/colour.h"
#include "ui/dpi_scale.h"

// The arithmetic of the calculator window, kept free of window handles so that
// it can be checked without a display: where the two fields go, how small the
// window may get, which parts of it drag or size it, and where the grip lines
// are drawn. Sizes are given at 96 DPI; every function takes the scale of the
// DPI the window is shown at.

// Width of the strip on the left that holds the icon and the grip.
inline constexpr int GRIP_WIDTH = 17;
// The icon cell in the top-left corner; a click there hides the window.
inline constexpr int ICON_SIZE = 16;

struct child_placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const child_placement&, const child_placement&) = default;
};

struct main_layout {
    child_placement editor;
    child_placement answer;
    friend bool operator==(const main_layout&, const main_layout&) = default;
};

// The editor fills the client area right of the grip down to the answer
// display, which keeps its preferred height at the bottom: one pixel of margin
// above, right of and below them and three pixels between them. A client area
// too small for that gives zero sizes rather than negative ones.
main_layout layout_children(int client_width, int client_height, int answer_height, dpi_scale scale);

// Where the window opens: the saved rectangle, in the pixels the user left it
// in; without one (the default rectangle, a first start) the default size at
// the session's DPI, so that the fields are as wide as their larger fonts need.
window_rectangle opening_rectangle(const window_rectangle& saved, dpi_scale scale);

struct window_size {
    int width = 0;
    int height = 0;
    friend bool operator==(const window_size&, const window_size&) = default;
};

// The smallest window that still shows both fields at their preferred heights
// (frame: the sizing border's width, SM_CXFRAME, which the system scales).
window_size minimum_tracking_size(int frame, int editor_preferred, int answer_preferred, dpi_scale scale);

// The window height after settings are applied: the editor keeps its current
// height (at least its preferred one) and the answer display gets exactly its
// preferred height.
int fitted_window_height(int frame, int editor_height, int editor_preferred, int answer_preferred,
                         dpi_scale scale);

// Hit-test codes as the system numbers them (HTCLIENT, HTCAPTION).
inline constexpr int HIT_CLIENT = 1;
inline constexpr int HIT_CAPTION = 2;

// The main window has no caption: its exposed client area (grip strip and
// margins) drags it, and so does the border when resizing is disabled. The
// icon cell, and the border left of and above it, keep the default code so
// that a click on the icon reaches the window as a client click.
int main_hit_test(int default_code, int client_x, int client_y, bool disable_resize, dpi_scale scale);

bool in_icon_cell(int client_x, int client_y, dpi_scale scale);

// One vertical grip line of the strip, drawn from top + 19 to bottom - 3 (at
// 96 DPI), one pixel wide at 96 DPI and proportionally wider above.
struct grip_line {
    int x = 0;
    colour_value colour = 0;
    int width = 1;
    friend bool operator==(const grip_line&, const grip_line&) = default;
};

struct grip_lines {
    grip_line lines[4];
    int count = 0;
};

inline constexpr int GRIP_TOP_OFFSET = 19;
inline constexpr int GRIP_BOTTOM_OFFSET = 3;

// Flat (0): two lines in the frame colour. Raised (1) and sunken (2): each line
// doubled with the light and dark shades of the background colour. A style
// outside 0..2 is drawn flat, like the border.
grip_lines grip_for(int frame_style, colour_value back_colour, colour_value frame_colour, dpi_scale scale);
