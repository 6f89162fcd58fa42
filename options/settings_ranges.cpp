#include "options/settings_ranges.h"

#include "options/settings.h"

namespace {

// Every bounded field of the settings record and its range.
struct ranged_field {
    std::int32_t settings::*field;
    const cal::setting_range& range;
};

const ranged_field RANGED_FIELDS[] = {
    {&settings::answer_mode, cal::answer_form_range},
    {&settings::angle_mode, cal::angle_unit_range},
    {&settings::precision, cal::precision_range},
    {&settings::exp_translate, cal::exponent_range},
    {&settings::main_frame_style, frame_style_range},
    {&settings::exp_frame_style, frame_style_range},
    {&settings::ans_frame_style, frame_style_range},
    {&settings::exp_font_size, font_size_range},
    {&settings::ans_font_size, font_size_range},
    {&settings::show_position, show_position_range},
    {&settings::after_send, cal::after_send_range},
};

} // namespace

std::int32_t usable_answer_form(std::int32_t mode) { return cal::answer_form_range.usable(mode); }
std::int32_t usable_angle_mode(std::int32_t mode) { return cal::angle_unit_range.usable(mode); }
std::int32_t usable_precision(std::int32_t digits) { return cal::precision_range.usable(digits); }
std::int32_t usable_exp_translate(std::int32_t digits) { return cal::exponent_range.usable(digits); }
std::int32_t usable_frame_style(std::int32_t style) { return frame_style_range.usable(style); }
std::int32_t usable_font_size(std::int32_t points) { return font_size_range.usable(points); }

void make_usable(settings& record) {
    for (const ranged_field& ranged : RANGED_FIELDS)
        record.*ranged.field = ranged.range.usable(record.*ranged.field);
}

settings settings_to_store(const settings& working, const settings& stored) {
    settings record = working;
    // The file's value where the working one is just what the program made of it.
    for (const ranged_field& ranged : RANGED_FIELDS)
        if (working.*ranged.field == ranged.range.usable(stored.*ranged.field))
            record.*ranged.field = stored.*ranged.field;
    return record;
}
