#pragma once

// The program's own windows (the calculator strip, its list popup, the tray
// icon) are measured in pixels at 96 DPI, 100 %. The process is system-DPI-
// aware (its manifest says so): Windows does not stretch its windows, so each
// such size is scaled to the DPI the session started with, as the fonts are
// made from their point sizes at that DPI.
inline constexpr int DESIGN_DPI = 96;

struct dpi_scale {
    int dpi = DESIGN_DPI;

    // A size in pixels at 96 DPI, in pixels at this DPI (to the nearest one).
    constexpr int operator()(int design_pixels) const {
        return (design_pixels * dpi + DESIGN_DPI / 2) / DESIGN_DPI;
    }
};

// Windows only: the scale of the screen's DPI, read once; a system-aware
// process keeps one DPI for its whole life.
dpi_scale system_dpi_scale();
