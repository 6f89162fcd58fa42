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
// The options page offers sizes up to 72 points; anything else in the file
// would give an unreadable or window-filling field.
std::int32_t usable_font_size(std::int32_t points) { return within(points, 1, 72, 10); }

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
