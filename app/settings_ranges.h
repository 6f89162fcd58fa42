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
std::int32_t usable_font_size(std::int32_t points);     // 1..72, else 10

// Brings every ranged field of the record into its range, so that what the
// window shows and what is saved again agree.
void make_usable(settings& record);
