#pragma once
#include <windows.h>

#include "app/placement_arithmetic.h"

// The monitor the hotkey is about to bring the calculator up on: the one of
// the caret (in send_target's client coordinates) or of the foreground
// window; null when the window stays where it is.
HMONITOR placement_monitor(show_position position, HWND send_target, POINT caret);
