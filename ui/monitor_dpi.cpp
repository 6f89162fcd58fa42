#include "ui/monitor_dpi.h"

namespace {

// Looked up by name: the import would keep the program from starting on the
// systems that lack them.
template <typename Function>
Function system_function(const char* module, const char* name) {
    HMODULE library = GetModuleHandleA(module);
    if (!library)
        library = LoadLibraryA(module);
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

using dpi_for_window_function = UINT(WINAPI*)(HWND);
using dpi_for_monitor_function = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using metric_for_dpi_function = int(WINAPI*)(int, UINT);

constexpr int EFFECTIVE_DPI = 0; // MDT_EFFECTIVE_DPI

monitor_dpi_function monitor_dpi_override = nullptr;

int usable(UINT dpi) { return dpi > 0 && dpi < 10 * DESIGN_DPI ? static_cast<int>(dpi) : system_dpi_scale().dpi; }

} // namespace

int dpi_of_window(HWND window) {
    static const auto for_window = system_function<dpi_for_window_function>("user32.dll", "GetDpiForWindow");
    if (!for_window || !window)
        return system_dpi_scale().dpi;
    return usable(for_window(window));
}

int dpi_of_monitor(HMONITOR monitor) {
    if (monitor_dpi_override)
        return monitor_dpi_override(monitor);
    static const auto for_monitor = system_function<dpi_for_monitor_function>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (!for_monitor || !monitor || FAILED(for_monitor(monitor, EFFECTIVE_DPI, &x, &y)))
        return system_dpi_scale().dpi;
    return usable(y);
}

int system_metric_for_dpi(int index, int dpi) {
    static const auto for_dpi = system_function<metric_for_dpi_function>("user32.dll", "GetSystemMetricsForDpi");
    if (for_dpi)
        return for_dpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, system_dpi_scale().dpi);
}

void set_monitor_dpi_source(monitor_dpi_function source) { monitor_dpi_override = source; }

void adopt_monitor_dpi(HWND window, HMONITOR monitor) {
    // With one monitor the window is on it already, and the hotkey does not
    // wait for shcore to load.
    if (!monitor_dpi_override && GetSystemMetrics(SM_CMONITORS) <= 1)
        return;
    const int now = dpi_of_window(window);
    const int wanted = dpi_of_monitor(monitor);
    RECT r{};
    if (wanted == now || !GetWindowRect(window, &r))
        return;
    RECT scaled{r.left, r.top, r.left + MulDiv(r.right - r.left, wanted, now),
                r.top + MulDiv(r.bottom - r.top, wanted, now)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(wanted, wanted), reinterpret_cast<LPARAM>(&scaled));
}
