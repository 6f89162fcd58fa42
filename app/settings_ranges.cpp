#include "app/settings_ranges.h"

#include "options/settings.h"

namespace {

std::int32_t within(std::int32_t value, std::int32_t low, std::int32_t high, std::int32_t fallback) {
    return value >= low && value <= high ? value : fallback;
}

} // namespace

std::int32_t usable_answer_mode(std::int32_t mode) { return within(mode, 0, 4, settings{}.answer_mode); }
std::int32_t usable_angle_mode(std::int32_t mode) { return within(mode, 0, 2, settings{}.angle_mode); }
std::int32_t usable_precision(std::int32_t digits) { return within(digits, 0, 15, settings{}.precision); }
std::int32_t usable_exp_translate(std::int32_t digits) {
    return within(digits, 2, 15, settings{}.exp_translate);
}
std::int32_t usable_frame_style(std::int32_t style) { return within(style, 0, 2, 0); }
// Zero or negative sizes cannot be drawn; beyond the bound a single field
// would not fit on a screen.
std::int32_t usable_font_size(std::int32_t points) { return within(points, 1, MAX_FONT_SIZE, 10); }

void make_usable(settings& record) {
    record.answer_mode = usable_answer_mode(record.answer_mode);
    record.angle_mode = usable_angle_mode(record.angle_mode);
    record.precision = usable_precision(record.precision);
    record.exp_translate = usable_exp_translate(record.exp_translate);
    record.main_frame_style = usable_frame_style(record.main_frame_style);
    record.exp_frame_style = usable_frame_style(record.exp_frame_style);
    record.ans_frame_style = usable_frame_style(record.ans_frame_style);
    record.exp_font_size = usable_font_size(record.exp_font_size);
    record.ans_font_size = usable_font_size(record.ans_font_size);
}

namespace {

// The file's value where the working one is just what the program made of it.
std::int32_t kept(std::int32_t working, std::int32_t stored, std::int32_t (*usable)(std::int32_t)) {
    return working == usable(stored) ? stored : working;
}

} // namespace

settings settings_to_store(const settings& working, const settings& stored) {
    settings record = working;
    record.answer_mode = kept(working.answer_mode, stored.answer_mode, usable_answer_mode);
    record.angle_mode = kept(working.angle_mode, stored.angle_mode, usable_angle_mode);
    record.precision = kept(working.precision, stored.precision, usable_precision);
    record.exp_translate = kept(working.exp_translate, stored.exp_translate, usable_exp_translate);
    record.main_frame_style = kept(working.main_frame_style, stored.main_frame_style, usable_frame_style);
    record.exp_frame_style = kept(working.exp_frame_style, stored.exp_frame_style, usable_frame_style);
    record.ans_frame_style = kept(working.ans_frame_style, stored.ans_frame_style, usable_frame_style);
    record.exp_font_size = kept(working.exp_font_size, stored.exp_font_size, usable_font_size);
    record.ans_font_size = kept(working.ans_font_size, stored.ans_font_size, usable_font_size);
    return record;
}
