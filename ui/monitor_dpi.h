#pragma once
#include <windows.h>

#include "ui/dpi_scale.h"

// The DPI a window or monitor is shown at, as a per-monitor-aware program
// reads it. The functions behind these answers came with Windows 8.1 and
// Windows 10 1607; on older systems each falls back to the system DPI, the
// only one those systems have.

// The DPI of the monitor the window is on (GetDpiForWindow).
int dpi_of_window(HWND window);
// The effective DPI of a monitor (GetDpiForMonitor).
int dpi_of_monitor(HMONITOR monitor);
// A system metric at a DPI (GetSystemMetricsForDpi); without it the metric at
// the system DPI, scaled.
int system_metric_for_dpi(int index, int dpi);

// Tests stand in for monitors of another DPI, which Wine cannot show: the
// function answers dpi_of_monitor until it is replaced by null again.
using monitor_dpi_function = int (*)(HMONITOR);
void set_monitor_dpi_source(monitor_dpi_function source);

// Makes the window follow the DPI of the monitor it is about to be placed on
// before it is moved and shown there: when that DPI differs from the window's
// own, the window gets WM_DPICHANGED with its rectangle scaled about its top
// left corner, as if the system had moved it, so it lays itself out anew.
void adopt_monitor_dpi(HWND window, HMONITOR monitor);
