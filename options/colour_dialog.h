#pragma once
#include <windows.h>

#include <cstdint>

// The system colour dialog on the program's template: the standard dialog
// with Japanese texts and an extra "自動設定(&T)" button that makes the colour
// automatic. The sixteen custom colours are shared by every use in the process
// and kept until it ends.

// Asks for a colour, starting from the given one. True when the user chose a
// colour (then in colour) or pressed the automatic button (then colour is
// AUTO_COLOR); false, with colour unchanged, when the dialog was cancelled.
bool choose_colour(HWND owner, std::int32_t& colour);

// The dialog's hook: the automatic button marks the choice and ends the
// dialog itself. (Posting IDABORT to the dialog, the documented way, is
// ignored by some implementations of the dialog, which close only on OK and
// Cancel.)
UINT_PTR CALLBACK colour_dialog_hook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
