#pragma once
#include <windows.h>

#include <optional>

#include "app/text_anchor.h"

// Where the text is in a focus window without a system caret, as browsers,
// Electron applications and many editors that draw their own caret tell it
// to screen readers: the caret object of Active Accessibility. Asked on the
// calling thread, which must have COM initialised (the caret locator asks on
// its accessibility worker, then UI Automation through automation_client);
// the window message that asks for it waits no longer than `allowed_ms`.
std::optional<text_anchor> accessible_caret(HWND focus, DWORD allowed_ms);
