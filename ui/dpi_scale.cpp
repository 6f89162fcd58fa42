#include "ui/dpi_scale.h"

#include <windows.h>

dpi_scale system_dpi_scale() {
    static const dpi_scale scale = [] {
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DESIGN_DPI;
        if (screen)
            ReleaseDC(nullptr, screen);
        return dpi_scale{dpi > 0 ? dpi : DESIGN_DPI};
    }();
    return scale;
}
