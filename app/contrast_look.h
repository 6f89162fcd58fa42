#pragma once
#include "options/settings.h"
#include "ui/colour.h"

// The system colours a high-contrast theme chooses.
struct system_palette {
    colour_value window = 0;
    colour_value window_text = 0;
    colour_value highlight = 0;
};

// The look the calculator shows: the user's colours and frame styles (the
// format page) as they are, or, while a high-contrast theme is on, the
// theme's colours in their place, every frame flat: backgrounds in the
// window colour, texts (answer, live preview, error) and the fields' frames
// in the window-text colour, the calculator's own frame and grip in the
// highlight colour. Everything else of the settings is kept.
settings shown_look(const settings& user, bool high_contrast, const system_palette& palette);
