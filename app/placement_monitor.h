#pragma once
#include <windows.h>

#include "app/placement_rules.h"
#include "app/text_anchor.h"

// The monitor the hotkey is about to bring the calculator up on: the one of
// the anchor found at the text (caret or focused element, in screen
// coordinates) or of the foreground window; null when the window stays where
// it is or there is no anchor.
HMONITOR placement_monitor(show_position position, const text_anchor* anchor);
