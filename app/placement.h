#pragma once
#include <windows.h>

#include <cstdint>

// Moves the calculator where the hotkey brings it up, by "Show Position":
// above the caret of the window that will receive the answer (caret in that
// window's client coordinates), at the foreground window's top right, or not
// at all. The window keeps its size and z-order and is not activated; it
// stays on the primary work area.
void place_window(HWND window, std::int32_t show_position, HWND send_target, POINT caret);

struct text_anchor;

// The same with the place of the text found on the screen (see
// locate_text): over a caret, under a focused element; none leaves the
// window where it is when it goes to the text.
void place_window(HWND window, std::int32_t show_position, const text_anchor* anchor);

struct screen_rectangle;

// Moves and sizes the window to a stored rectangle, brought whole onto the
// work area of the monitor nearest to it; a size that is not positive takes
// the fallback size. A monitor removed or a resolution lowered since the
// rectangle was stored, or a hand-edited one, then still shows the window.
void move_onto_screen(HWND window, const screen_rectangle& wanted, int fallback_width, int fallback_height);

// Brings the window whole onto the nearest work area when it is not there.
void keep_on_screen(HWND window);
