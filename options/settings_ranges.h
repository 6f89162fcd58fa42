#pragma once
#include <cstdint>

#include "engine/setting_range.h"

struct settings;

// The largest font size drawn: bigger than any the options page offers, so
// that a size set by hand is kept, yet a window that holds it still fits a
// screen.
inline constexpr std::int32_t MAX_FONT_SIZE = 400;

// The bounds of the window's own bounded settings; the calculation's
// (precision, exponent digits, answer form, angle unit) and the
// after-send action are the engine's.
// Zero or negative font sizes cannot be drawn; beyond the bound a single
// field would not fit on a screen.
inline constexpr cal::setting_range frame_style_range{0, 2, 0};    // flat, raised, sunken
inline constexpr cal::setting_range font_size_range{1, MAX_FONT_SIZE, 10};
inline constexpr cal::setting_range show_position_range{0, 2, 0};  // caret, top right, where it was

// A hand-edited "Tarvik.ini" can hold any number. These give the value the
// calculator works with: the value itself when it is one the program can
// use, otherwise the default of a fresh settings record.
std::int32_t usable_answer_form(std::int32_t mode);
std::int32_t usable_angle_mode(std::int32_t mode);
std::int32_t usable_precision(std::int32_t digits);
std::int32_t usable_exp_translate(std::int32_t digits);
std::int32_t usable_frame_style(std::int32_t style);
std::int32_t usable_font_size(std::int32_t points);

// Brings every ranged field of the record into its range: the values the
// window works with.
void make_usable(settings& record);

// What is written to the settings file. A ranged field the program uses
// just as the fallback of what the file holds (the user has not changed it)
// keeps the file's own value, so that a hand-edited value is never replaced
// behind the user's back; every other field is the working value.
settings settings_to_store(const settings& working, const settings& stored);
