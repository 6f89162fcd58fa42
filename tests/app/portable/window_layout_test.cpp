#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/settings_ranges.h"
#include "calc/user_function_loader.h"
#include "engine/calculator.h"
#include "options/settings.h"

namespace {

constexpr dpi_scale AT_96{96};
constexpr dpi_scale AT_192{192};

TEST(window_layout, fields_fill_the_client_area_right_of_the_grip) {
    const main_layout layout = layout_children(300, 120, 20, AT_96);
    // editor: x 17, y 1, width W - 18, height H - h - 5
    EXPECT_EQ(layout.editor, (child_placement{17, 1, 282, 95}));
    // answer: x 17, y H - h - 1, width W - 18, height h
    EXPECT_EQ(layout.answer, (child_placement{17, 99, 282, 20}));
    // three pixels between the fields, one below the answer
    EXPECT_EQ(layout.answer.y - (layout.editor.y + layout.editor.height), 3);
    EXPECT_EQ(120 - (layout.answer.y + layout.answer.height), 1);
}

TEST(window_layout, a_tiny_client_area_gives_no_negative_sizes) {
    const main_layout layout = layout_children(5, 4, 20, AT_96);
    EXPECT_GE(layout.editor.width, 0);
    EXPECT_GE(layout.editor.height, 0);
    EXPECT_GE(layout.answer.width, 0);
    EXPECT_GE(layout.answer.height, 0);
}

TEST(window_layout, minimum_size_keeps_both_fields_at_their_preferred_heights) {
    EXPECT_EQ(minimum_tracking_size(4, 19, 22, AT_96), (window_size{22, 22 + 19 + 8 + 3}));
    EXPECT_EQ(minimum_tracking_size(0, 10, 10, AT_96), (window_size{14, 23}));
}

TEST(window_layout, fitted_height_keeps_a_taller_editor_and_raises_a_shorter_one) {
    EXPECT_EQ(fitted_window_height(4, 100, 19, 22, AT_96), 100 + 22 + 8 + 3);
    EXPECT_EQ(fitted_window_height(4, 5, 19, 22, AT_96), 19 + 22 + 8 + 3);
}

// At 200 % every size of the strip doubles; the sizing frame and the fields'
// preferred heights come doubled from the system and the fonts.
TEST(window_layout, at_192_dpi_every_size_doubles) {
    EXPECT_EQ(layout_children(600, 240, 40, AT_192), (main_layout{{34, 2, 564, 190}, {34, 198, 564, 40}}));
    EXPECT_EQ(minimum_tracking_size(8, 38, 44, AT_192), (window_size{44, 44 + 38 + 16 + 6}));
    EXPECT_EQ(fitted_window_height(8, 10, 38, 44, AT_192), 38 + 44 + 16 + 6);
    EXPECT_TRUE(in_icon_cell(31, 31, AT_192));
    EXPECT_FALSE(in_icon_cell(32, 5, AT_192));
    const grip_lines raised = grip_for(1, rgb(128, 128, 128), 0, AT_192);
    ASSERT_EQ(raised.count, 4);
    const int expected_x[] = {6, 18, 8, 20};
    for (int i = 0; i < raised.count; ++i) {
        EXPECT_EQ(raised.lines[i].x, expected_x[i]) << i;
        EXPECT_EQ(raised.lines[i].width, 2) << i;
    }
}

TEST(window_layout, a_first_start_opens_at_the_default_size_for_the_dpi_and_a_saved_rectangle_stays) {
    EXPECT_EQ(opening_rectangle(window_rectangle{}, AT_96), window_rectangle{});
    EXPECT_EQ(opening_rectangle(window_rectangle{}, AT_192), (window_rectangle{50, 50, 650, 350}));
    const window_rectangle saved{10, 20, 330, 140};
    EXPECT_EQ(opening_rectangle(saved, AT_192), saved);
}

// 150 %: sizes round to the nearest pixel, and the second line of a raised
// or sunken pair still touches the first.
TEST(window_layout, at_144_dpi_the_grip_pairs_stay_together) {
    const grip_lines sunken = grip_for(2, rgb(128, 128, 128), 0, dpi_scale{144});
    ASSERT_EQ(sunken.count, 4);
    EXPECT_EQ(sunken.lines[2].x, sunken.lines[0].x + sunken.lines[0].width);
    EXPECT_EQ(sunken.lines[3].x, sunken.lines[1].x + sunken.lines[1].width);
    EXPECT_EQ(layout_children(400, 200, 30, dpi_scale{144}).editor.x, 26);
}

struct hit_case {
    int default_code;
    int x;
    int y;
    bool disable_resize;
    int expected;
};

class main_hit_test_cases : public testing::TestWithParam<hit_case> {};

TEST_P(main_hit_test_cases, decides_what_drags_and_what_sizes) {
    const hit_case& c = GetParam();
    EXPECT_EQ(main_hit_test(c.default_code, c.x, c.y, c.disable_resize, AT_96), c.expected);
}

constexpr int HIT_LEFT = 10;        // HTLEFT
constexpr int HIT_BOTTOMRIGHT = 17; // HTBOTTOMRIGHT

INSTANTIATE_TEST_SUITE_P(
    codes, main_hit_test_cases,
    testing::Values(hit_case{HIT_CLIENT, 0, 0, false, HIT_CLIENT},     // icon cell stays client
                    hit_case{HIT_CLIENT, 15, 15, false, HIT_CLIENT},   // its last pixel
                    hit_case{HIT_CLIENT, 16, 15, false, HIT_CAPTION},  // right of it: the grip drags
                    hit_case{HIT_CLIENT, 5, 16, false, HIT_CAPTION},   // below it
                    hit_case{HIT_CLIENT, 200, 60, false, HIT_CAPTION}, // the margins drag
                    hit_case{HIT_LEFT, -2, 40, false, HIT_LEFT},       // the border sizes
                    hit_case{HIT_LEFT, -2, 40, true, HIT_CAPTION},     // unless resizing is off
                    hit_case{HIT_BOTTOMRIGHT, 300, 150, true, HIT_CAPTION},
                    hit_case{HIT_LEFT, -2, 5, true, HIT_LEFT})); // beside the icon: default kept

TEST(window_layout, flat_grip_is_two_lines_in_the_frame_colour) {
    const grip_lines grip = grip_for(0, rgb(200, 200, 200), rgb(1, 2, 3), AT_96);
    ASSERT_EQ(grip.count, 2);
    EXPECT_EQ(grip.lines[0], (grip_line{3, rgb(1, 2, 3)}));
    EXPECT_EQ(grip.lines[1], (grip_line{9, rgb(1, 2, 3)}));
}

TEST(window_layout, raised_and_sunken_grips_swap_light_and_dark) {
    const colour_value back = rgb(128, 128, 128);
    const frame_shades shades = shades_of(back);
    const grip_lines raised = grip_for(1, back, rgb(1, 2, 3), AT_96);
    ASSERT_EQ(raised.count, 4);
    EXPECT_EQ(raised.lines[0], (grip_line{3, shades.light}));
    EXPECT_EQ(raised.lines[1], (grip_line{9, shades.light}));
    EXPECT_EQ(raised.lines[2], (grip_line{4, shades.dark}));
    EXPECT_EQ(raised.lines[3], (grip_line{10, shades.dark}));
    const grip_lines sunken = grip_for(2, back, rgb(1, 2, 3), AT_96);
    ASSERT_EQ(sunken.count, 4);
    EXPECT_EQ(sunken.lines[0], (grip_line{3, shades.dark}));
    EXPECT_EQ(sunken.lines[2], (grip_line{4, shades.light}));
}

struct range_case {
    const char* name;
    std::int32_t (*usable)(std::int32_t);
    std::int32_t low;
    std::int32_t high;
    std::int32_t fallback;
};

class settings_range_cases : public testing::TestWithParam<range_case> {};

TEST_P(settings_range_cases, keep_values_in_range_and_replace_the_rest_by_the_default) {
    const range_case& c = GetParam();
    EXPECT_EQ(c.usable(c.low), c.low) << c.name;
    EXPECT_EQ(c.usable(c.high), c.high) << c.name;
    EXPECT_EQ(c.usable(c.low - 1), c.fallback) << c.name;
    EXPECT_EQ(c.usable(c.high + 1), c.fallback) << c.name;
    EXPECT_EQ(c.usable(INT32_MIN), c.fallback) << c.name;
    EXPECT_EQ(c.usable(INT32_MAX), c.fallback) << c.name;
}

INSTANTIATE_TEST_SUITE_P(fields, settings_range_cases,
                         testing::Values(range_case{"answer mode", usable_answer_form, 0, 4, 0},
                                         range_case{"angle mode", usable_angle_mode, 0, 2, 0},
                                         range_case{"precision", usable_precision, 0, 15, 10},
                                         range_case{"exp translate", usable_exp_translate, 2, 15, 10},
                                         range_case{"frame style", usable_frame_style, 0, 2, 0},
                                         range_case{"font size", usable_font_size, 1, MAX_FONT_SIZE, 10}));

TEST(settings_ranges, a_hand_edited_record_becomes_the_defaults_where_it_is_out_of_range) {
    settings record;
    record.answer_mode = 9;
    record.angle_mode = -1;
    record.precision = 99;
    record.exp_translate = 1;
    record.main_frame_style = 3;
    record.exp_frame_style = -5;
    record.ans_frame_style = 100;
    record.exp_font_size = 0;
    record.ans_font_size = 5000;
    record.comma = true; // untouched: not a ranged field
    make_usable(record);
    settings expected;
    expected.comma = true;
    EXPECT_EQ(record, expected);
}

TEST(user_function_loader, skips_definitions_the_engine_refuses_and_keeps_the_others) {
    cal::calculator engine;
    engine.add_user_function("old(x)=x//stale");
    const std::vector<std::string> texts = {"twice(x)=2*x//", "broken(", "", "add(a,b)=a+b//sum"};
    EXPECT_EQ(define_user_functions(engine, texts), 2u);
    EXPECT_EQ(engine.calculate("twice(4)"), 8.0);
    EXPECT_EQ(engine.calculate("add(2,3)"), 5.0);
    EXPECT_THROW(engine.calculate("old(1)"), cal::calculator_error);
}

} // namespace
