#include "app/placement_monitor.h"

HMONITOR placement_monitor(show_position position, HWND send_target, POINT caret) {
    if (position == show_at_top_right) {
        HWND front = GetForegroundWindow();
        return front ? MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST) : nullptr;
    }
    if (position != show_at_caret || !send_target || !ClientToScreen(send_target, &caret))
        return nullptr;
    return MonitorFromPoint(caret, MONITOR_DEFAULTTONEAREST);
}
