#pragma once
#include <windows.h>

#include <cstdint>

// Moves the calculator where the hotkey brings it up, by "Show Position":
// above the caret of the window that will receive the answer (caret in that
// window's client coordinates), at the foreground window's top right, or not
// at all. The window keeps its size and z-order and is not activated; it
// stays on the primary work area.
void place_window(HWND window, std::int32_t show_position, HWND send_target, POINT caret);
