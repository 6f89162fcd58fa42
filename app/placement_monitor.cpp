#include "app/placement_monitor.h"

HMONITOR placement_monitor(show_position position, const text_anchor* anchor) {
    if (position == show_at_top_right) {
        HWND front = GetForegroundWindow();
        return front ? MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST) : nullptr;
    }
    if (position != show_at_caret || !anchor)
        return nullptr;
    const RECT area{anchor->area.left, anchor->area.top, anchor->area.right, anchor->area.bottom};
    return MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST);
}
