#include "app/focus_return.h"

namespace {

bool of_this_thread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

bool is_taskbar(HWND window) {
    char name[32] = {};
    GetClassNameA(GetAncestor(window, GA_ROOT), name, sizeof name);
    return lstrcmpiA(name, "Shell_TrayWnd") == 0 || lstrcmpiA(name, "NotifyIconOverflowWindow") == 0;
}

// The application comes to the front and its focus window gets the focus
// with its thread's input attached: activation alone hands the focus to the
// top-level window, which not every application passes on to the control
// the user typed in, and it may reach that thread only after a focus set
// from here. Made active through the shared input here, the window is
// active already when the thread sees the activation.
void bring_back(HWND top_level, HWND focus) {
    const DWORD own = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(top_level, nullptr);
    const bool attached = AttachThreadInput(own, other, TRUE) != FALSE;
    SetForegroundWindow(top_level);
    if (attached) {
        SetFocus(focus ? focus : top_level);
        AttachThreadInput(own, other, FALSE);
    }
}

} // namespace

void focus_return::remember(HWND foreground, HWND focus) {
    foreground_ = foreground ? GetAncestor(foreground, GA_ROOT) : nullptr;
    focus_ = focus;
}

void focus_return::on_deactivated(HWND calculator, HWND activated) {
    // Some systems name no window when the activation leaves the thread.
    if (!activated)
        activated = GetForegroundWindow();
    if (!activated || of_this_thread(activated) || is_taskbar(activated) ||
        GetAncestor(activated, GA_ROOT) == calculator)
        return;
    foreground_ = GetAncestor(activated, GA_ROOT);
    // That application keeps whatever focus the click gave it.
    focus_ = nullptr;
}

void focus_return::give_back(HWND calculator) const {
    HWND front = GetForegroundWindow();
    // The user is in another application already: it keeps the focus.
    if (front && !of_this_thread(front))
        return;
    if (!foreground_ || !IsWindow(foreground_) || of_this_thread(foreground_) || foreground_ == calculator)
        return;
    const bool focus_usable = focus_ && IsWindow(focus_) && GetAncestor(focus_, GA_ROOT) == foreground_;
    bring_back(foreground_, focus_usable ? focus_ : nullptr);
}
