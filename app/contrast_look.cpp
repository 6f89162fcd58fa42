#include "app/contrast_look.h"

namespace {

std::int32_t as_setting(colour_value colour) { return static_cast<std::int32_t>(colour); }

} // namespace

settings shown_look(const settings& user, bool high_contrast, const system_palette& palette) {
    settings look = user;
    if (!high_contrast)
        return look;
    const std::int32_t window = as_setting(palette.window);
    const std::int32_t text = as_setting(palette.window_text);
    for (std::int32_t* background : {&look.main_back_color, &look.exp_back_color, &look.ans_back_color})
        *background = window;
    for (std::int32_t* foreground : {&look.exp_font_color, &look.exp_frame_color, &look.ans_font_color,
                                     &look.ans_frame_color, &look.ans_error_color, &look.ans_nc_color})
        *foreground = text;
    look.main_frame_color = as_setting(palette.highlight);
    for (std::int32_t* style : {&look.main_frame_style, &look.exp_frame_style, &look.ans_frame_style})
        *style = 0;
    return look;
}
