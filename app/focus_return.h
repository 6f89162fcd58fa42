#pragma once
#include <windows.h>

// Gives the keyboard back to the application the user came from when the
// calculator goes away, whichever way it goes (Escape, the hotkey again,
// hiding after a send, the icon cell, the tray menu), so the user can type on
// at once. An application the user has meanwhile clicked into keeps the
// focus: the way back then leads there.
class focus_return {
public:
    // The hotkey brings the calculator up from this window in front, whose
    // thread had the keyboard focus in `focus` (either may be none).
    void remember(HWND foreground, HWND focus);

    // The calculator lost the activation to `activated`: a window of
    // another application (not the taskbar, whose tray menu leads back to
    // the calculator) becomes the way back.
    void on_deactivated(HWND calculator, HWND activated);

    // The calculator is being hidden: while it (or another window of its
    // thread) is in front, the remembered window comes to the front and its
    // focus window gets the keyboard focus.
    void give_back(HWND calculator) const;

    HWND foreground() const { return foreground_; }
    HWND focus() const { return focus_; }

private:
    HWND foreground_ = nullptr;
    HWND focus_ = nullptr;
};
