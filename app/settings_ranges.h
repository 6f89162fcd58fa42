#pragma once
#include <cstdint>

struct settings;

// A hand-edited "Tarvik.ini" can hold any number. These give the value the
// calculator works with: the value itself when it is one the program can
// use, otherwise the default of a fresh settings record.
std::int32_t usable_answer_mode(std::int32_t mode);     // 0..4, else 0
std::int32_t usable_angle_mode(std::int32_t mode);      // 0..2, else 0
std::int32_t usable_precision(std::int32_t digits);     // 0..15, else 10
std::int32_t usable_exp_translate(std::int32_t digits); // 2..15, else 10
std::int32_t usable_frame_style(std::int32_t style);    // 0..2, else 0
std::int32_t usable_font_size(std::int32_t points);     // 1..MAX_FONT_SIZE, else 10

// The largest font size drawn: bigger than any the options page offers, so
// that a size set by hand is kept, yet a window that holds it still fits a
// screen.
inline constexpr std::int32_t MAX_FONT_SIZE = 400;

// Brings every ranged field of the record into its range: the values the
// window works with.
void make_usable(settings& record);

// What is written to the settings file. A ranged field the program uses
// just as the fallback of what the file holds (the user has not changed it)
// keeps the file's own value, so that a hand-edited value is never replaced
// behind the user's back; every other field is the working value.
settings settings_to_store(const settings& working, const settings& stored);
