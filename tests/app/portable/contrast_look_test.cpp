#include "app/contrast_look.h"

#include <gtest/gtest.h>

namespace {

constexpr system_palette PALETTE{rgb(0, 0, 0), rgb(255, 255, 0), rgb(0, 255, 255)};

settings user_look() {
    settings s;
    s.main_back_color = 0x123456;
    s.main_frame_color = 0x654321;
    s.main_frame_style = 1;
    s.exp_font_color = 0x010101;
    s.exp_back_color = 0x020202;
    s.exp_frame_color = 0x030303;
    s.exp_frame_style = 2;
    s.ans_font_color = 0x040404;
    s.ans_back_color = 0x050505;
    s.ans_frame_color = 0x060606;
    s.ans_error_color = 0x070707;
    s.ans_nc_color = AUTO_COLOR;
    s.ans_frame_style = 1;
    s.precision = 7;
    return s;
}

TEST(contrast_look, without_high_contrast_the_users_look_stays) {
    const settings user = user_look();
    EXPECT_EQ(shown_look(user, false, PALETTE), user);
}

TEST(contrast_look, high_contrast_puts_the_theme_colours_and_flat_frames_in_place_of_the_users) {
    const settings look = shown_look(user_look(), true, PALETTE);
    const auto window = static_cast<std::int32_t>(PALETTE.window);
    const auto text = static_cast<std::int32_t>(PALETTE.window_text);
    const struct {
        const char* name;
        std::int32_t shown;
        std::int32_t expected;
    } cases[] = {
        {"main background", look.main_back_color, window},
        {"main frame", look.main_frame_color, static_cast<std::int32_t>(PALETTE.highlight)},
        {"main frame style", look.main_frame_style, 0},
        {"editor text", look.exp_font_color, text},
        {"editor background", look.exp_back_color, window},
        {"editor frame", look.exp_frame_color, text},
        {"editor frame style", look.exp_frame_style, 0},
        {"answer text", look.ans_font_color, text},
        {"answer background", look.ans_back_color, window},
        {"answer frame", look.ans_frame_color, text},
        {"error text", look.ans_error_color, text},
        {"live preview (automatic)", look.ans_nc_color, text},
        {"answer frame style", look.ans_frame_style, 0},
        {"precision (not a colour)", look.precision, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected) << c.name;
}

} // namespace
