#pragma once

// Whether the user has a high-contrast theme on (SPI_GETHIGHCONTRAST).
bool high_contrast_on();

// Tests stand in for a system that cannot switch the theme (Wine keeps no
// high-contrast state): the function answers high_contrast_on until it is
// replaced by null again.
using high_contrast_function = bool (*)();
void set_high_contrast_source(high_contrast_function source);
