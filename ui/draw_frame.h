#pragma once
#include <windows.h>

#include "ui/colour.h"

// Frame styles of the framed windows.
enum frame_style_value : int {
    FRAME_FLAT = 0,
    FRAME_RAISED = 1,
    FRAME_SUNKEN = 2, // any other value is drawn as sunken too
};

// Paints a window's non-client border: a one-pixel frame on the outer edge
// and, inside it, everything that is not client area in the fill colour.
// The flat style draws the frame in frame_colour; raised and sunken draw it in
// a light and a dark shade of shade_base (see shades_of).
void draw_frame(HWND target, colour_value fill, colour_value shade_base, colour_value frame_colour,
                int frame_style);
