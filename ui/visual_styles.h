#pragma once
#include <windows.h>

// Common controls 6 (themed buttons, lists, pages and message boxes) for the
// windows created while a visual_styles_scope lives.
//
// The process itself starts without them: its manifest leaves common controls
// out, so the main window's edit control is the system's own, which draws the
// same text inside the calculator's own frame. Under Wine, bringing in
// comctl32 6 for that one control was the largest single cost of showing the
// first window. The program's second manifest (resource 2, as for isolation-
// aware code) asks for common controls 6; a scope activates it around the
// dialogs, the options sheet, the message boxes and the list popup, and
// around the first call into comctl32, so that its functions are those of
// version 6 as well.
//
// Without that manifest (a damaged file) a scope does nothing and the windows
// are the unthemed ones, which work the same.
class visual_styles_scope {
public:
    visual_styles_scope();
    ~visual_styles_scope();
    visual_styles_scope(const visual_styles_scope&) = delete;
    visual_styles_scope& operator=(const visual_styles_scope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};
