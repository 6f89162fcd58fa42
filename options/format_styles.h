#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "options/settings.h"

// The three windows whose look the format page edits, in the order of its
// window list.
enum styled_window : int { main_window_style = 0, editor_style = 1, answer_style = 2 };
inline constexpr int STYLED_WINDOWS = 3;

// The five colours of the page, in the order of their buttons.
enum colour_slot : int {
    background_slot = 0,
    frame_slot = 1,
    text_slot = 2,
    preview_slot = 3,
    error_slot = 4,
};
inline constexpr int COLOUR_SLOTS = 5;

using slot_colours = std::array<std::int32_t, COLOUR_SLOTS>;

// Whether the window has the colour at all: every window a background and a
// frame, the two text windows a text colour, the answer window the colours of
// an incomplete result and of an error.
bool has_colour(int window, int slot);
// Whether the window has a font (the main window has an icon instead).
inline bool has_font(int window) { return window == editor_style || window == answer_style; }

// The look of one window. Colours the window does not have, and the font of
// the main window, are unused.
struct window_style {
    std::string font_name;
    std::int32_t font_size = 0;
    slot_colours colours{AUTO_COLOR, AUTO_COLOR, AUTO_COLOR, AUTO_COLOR, AUTO_COLOR};
    std::int32_t frame_style = 0;

    bool operator==(const window_style&) const = default;
};

// The format page's working copy of the three windows' looks. It is taken
// from the settings when the page opens and written back only when the sheet
// is confirmed, so the user can move between windows and still cancel.
class format_styles {
public:
    format_styles() = default;
    explicit format_styles(const settings& source) { read(source); }

    void read(const settings& source);
    // Writes the fields of the three groups; the other fields stay as they are.
    void write(settings& target) const;

    window_style& operator[](int window) { return styles_[index(window)]; }
    const window_style& operator[](int window) const { return styles_[index(window)]; }

    // The window's colours into the page's current colours; colours the
    // window does not have keep the values they had.
    void load_colours(int window, slot_colours& current) const;
    // The current colours the window has into its style.
    void store_colours(int window, const slot_colours& current);

private:
    static int index(int window) { return window >= 0 && window < STYLED_WINDOWS ? window : 0; }

    std::array<window_style, STYLED_WINDOWS> styles_;
};
