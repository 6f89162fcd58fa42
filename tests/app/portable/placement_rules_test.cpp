#include "app/placement_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "calc/answer_sender_rules.h"

namespace {

// A 1280x1024 screen whose taskbar takes the bottom 40 pixels.
constexpr int WORK_RIGHT = 1280;
constexpr int WORK_BOTTOM = 984;

struct clamp_case {
    const char* name;
    screen_point wanted;
    int width;
    int height;
    screen_point placed;
};

class clamping : public testing::TestWithParam<clamp_case> {};

TEST_P(clamping, keeps_the_window_on_the_work_area) {
    const clamp_case& c = GetParam();
    EXPECT_EQ(clamp_to_work_area(c.wanted, c.width, c.height, WORK_RIGHT, WORK_BOTTOM), c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    placement, clamping,
    testing::Values(clamp_case{"inside", {300, 400}, 200, 60, {300, 400}},
                    // A caret at screen y 10 under a 60-pixel window: the window
                    // covers the caret line rather than leave the screen.
                    clamp_case{"above_the_top", {300, 10 - 60}, 200, 60, {300, 0}},
                    clamp_case{"left_of_the_screen", {-50, 400}, 200, 60, {0, 400}},
                    clamp_case{"past_the_right_edge", {1200, 400}, 200, 60, {1080, 400}},
                    clamp_case{"right_edge_exactly", {1080, 400}, 200, 60, {1080, 400}},
                    clamp_case{"below_the_work_area", {300, 950}, 200, 60, {300, 924}},
                    clamp_case{"bottom_right_corner", {5000, 5000}, 200, 60, {1080, 924}},
                    // Wider and taller than the work area: the right and bottom
                    // limits win over the origin.
                    clamp_case{"larger_than_the_area", {10, 10}, 1400, 1000, {-120, -16}},
                    clamp_case{"extreme_coordinates", {INT_MAX, INT_MIN}, 200, 60, {1080, 0}}),
    [](const testing::TestParamInfo<clamp_case>& test) { return test.param.name; });

// A second monitor's work area, right of a 1280-pixel primary one and not
// starting at the origin.
constexpr screen_rectangle WORK{1280, 24, 3200, 1080};

struct stored_rectangle_case {
    const char* name;
    screen_rectangle stored;
    screen_rectangle shown;
};

class stored_rectangles : public testing::TestWithParam<stored_rectangle_case> {};

TEST_P(stored_rectangles, are_shown_whole_on_the_work_area) {
    const stored_rectangle_case& c = GetParam();
    EXPECT_EQ(rectangle_on_work_area(c.stored, WORK, 300, 150), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    placement, stored_rectangles,
    testing::Values(
        stored_rectangle_case{"inside", {1400, 100, 1700, 250}, {1400, 100, 1700, 250}},
        // A monitor removed: the window comes back at the nearest edges.
        stored_rectangle_case{"left_of_every_monitor", {-5000, 300, -4700, 450}, {1280, 300, 1580, 450}},
        stored_rectangle_case{"below_every_monitor", {2000, 9000, 2300, 9150}, {2000, 930, 2300, 1080}},
        stored_rectangle_case{"past_the_right_and_top", {3100, -200, 3400, -50}, {2900, 24, 3200, 174}},
        // Larger than the work area: it shrinks to the area.
        stored_rectangle_case{"huge", {0, 0, 100000, 100000}, {1280, 24, 3200, 1080}},
        stored_rectangle_case{
            "widest_possible", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {1280, 24, 3200, 1080}},
        // Negative or empty sizes take the fallback size.
        stored_rectangle_case{"negative_size", {1500, 500, 1200, 400}, {1500, 500, 1800, 650}},
        stored_rectangle_case{"empty", {1500, 500, 1500, 500}, {1500, 500, 1800, 650}},
        // Edges near the limits of the coordinates do not overflow.
        stored_rectangle_case{"at_the_largest_coordinates",
                              {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
                              {3190, 1070, 3200, 1080}},
        stored_rectangle_case{
            "inverted_at_the_limits", {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {2900, 930, 3200, 1080}}),
    [](const testing::TestParamInfo<stored_rectangle_case>& test) { return test.param.name; });

TEST(placement, a_usable_size_never_overflows_the_edges) {
    EXPECT_EQ(with_usable_size({INT_MAX - 100, 0, INT_MIN, 0}, 300, 150),
              (screen_rectangle{INT_MAX - 100, 0, INT_MAX, 150}));
}

TEST(placement, caret_origin_puts_the_bottom_edge_on_the_caret_top) {
    EXPECT_EQ(origin_above_caret({400, 500}, 60), (screen_point{400, 440}));
}

TEST(placement, top_right_origin_puts_the_corner_on_the_window_corner) {
    // A maximised foreground window: the calculator sits in its top right corner.
    EXPECT_EQ(origin_at_top_right(1280, 0, 200), (screen_point{1080, 0}));
}

struct range_case {
    std::int32_t value;
    show_position position;
    after_send_action action;
};

class hand_edited_values : public testing::TestWithParam<range_case> {};

TEST_P(hand_edited_values, fall_back_to_their_defaults) {
    const range_case& c = GetParam();
    EXPECT_EQ(usable_show_position(c.value), c.position);
    EXPECT_EQ(usable_after_send(c.value), c.action);
}

INSTANTIATE_TEST_SUITE_P(placement, hand_edited_values,
                         testing::Values(range_case{0, show_at_caret, after_send_hide},
                                         range_case{1, show_at_top_right, after_send_activate_target},
                                         range_case{2, show_where_it_was, after_send_nothing},
                                         range_case{3, show_at_caret, after_send_activate_target},
                                         range_case{-1, show_at_caret, after_send_activate_target},
                                         range_case{INT32_MIN, show_at_caret, after_send_activate_target}));

TEST(sent_text, shift_inverts_send_exp) {
    EXPECT_FALSE(expression_goes_along(false, false));
    EXPECT_TRUE(expression_goes_along(false, true));
    EXPECT_TRUE(expression_goes_along(true, false));
    EXPECT_FALSE(expression_goes_along(true, true));
}

TEST(sent_text, joins_expression_and_answer_without_spaces) {
    EXPECT_EQ(sent_text("1+2", "3", false), "3");
    EXPECT_EQ(sent_text("1+2", "3", true), "1+2=3");
    EXPECT_EQ(sent_text("", "0", true), "=0");
}

TEST(sent_text, never_holds_control_characters) {
    EXPECT_EQ(sent_text("1\t+2\r", "3\n", true), "1+2=3");
    EXPECT_EQ(sent_text("", std::string("4\x1b\x7f\0", 4) + "2", false), "42");
    EXPECT_EQ(sent_text("\x95\x5c", "\x83\x41", true), "\x95\x5c=\x83\x41"); // Shift-JIS stays whole
}

} // namespace
