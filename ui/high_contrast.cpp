#include "ui/high_contrast.h"

#include <windows.h>

namespace {

high_contrast_function high_contrast_override = nullptr;

} // namespace

bool high_contrast_on() {
    if (high_contrast_override)
        return high_contrast_override();
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void set_high_contrast_source(high_contrast_function source) { high_contrast_override = source; }
