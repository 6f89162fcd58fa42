#pragma once
#include <windows.h>

#include <optional>

#include "app/text_anchor.h"

// Where the text is in a focus window without a system caret, as browsers,
// Electron applications and many editors that draw their own caret tell it
// to screen readers: first the caret object of Active Accessibility, then UI
// Automation's caret range of the focused element or, failing that, the
// element's bounding rectangle.
//
// The questions go to the target on a worker thread; the caller waits no
// longer than `allowed_ms`, so a hung target never holds the calculator
// up. Nothing when no source answered in time.
std::optional<text_anchor> ask_accessibility(HWND focus, DWORD allowed_ms);

// The two sources one by one, on the calling thread (which must have COM
// initialised), for the worker and for the tests.
std::optional<text_anchor> accessible_caret(HWND focus, DWORD allowed_ms);
std::optional<text_anchor> automation_anchor(HWND focus);
