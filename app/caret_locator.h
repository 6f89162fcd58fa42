#pragma once
#include <windows.h>

#include "app/text_anchor.h"

// Finds where the user types in the focus window of another thread, through
// a chain in which the first source that answers wins and each asks only
// when the one before had nothing:
//  1. the system caret of the focus window's thread;
//  2. the caret object of Active Accessibility, which browsers and Electron
//     applications offer while drawing their own caret;
//  3. UI Automation: the focused element's caret range, or its rectangle;
//  4. the focus window's top left corner.
// Steps 2 and 3 together wait no longer than `allowed_ms` for the target.
text_anchor locate_text(HWND focus, DWORD allowed_ms = 50);
