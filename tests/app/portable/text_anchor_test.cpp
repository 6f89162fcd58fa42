#include "app/text_anchor.h"

#include <gtest/gtest.h>

namespace {

constexpr int WORK_BOTTOM = 984;
constexpr int HEIGHT = 60;

struct anchor_case {
    const char* name;
    anchor_kind kind;
    screen_rectangle area;
    screen_point origin;
};

class anchoring : public testing::TestWithParam<anchor_case> {};

TEST_P(anchoring, puts_the_window_over_a_caret_and_under_an_element) {
    const anchor_case& c = GetParam();
    const text_anchor anchor{c.kind, anchor_source::focus_window, c.area};
    EXPECT_EQ(origin_at_anchor(anchor, HEIGHT, WORK_BOTTOM), c.origin);
}

INSTANTIATE_TEST_SUITE_P(
    placement, anchoring,
    testing::Values(anchor_case{"over_a_caret", anchor_kind::caret, {300, 400, 302, 418}, {300, 340}},
                    anchor_case{"under_an_element", anchor_kind::element, {100, 200, 500, 230}, {100, 230}},
                    anchor_case{"under_an_element_to_the_last_pixel",
                                anchor_kind::element,
                                {100, 900, 500, WORK_BOTTOM - HEIGHT},
                                {100, WORK_BOTTOM - HEIGHT}},
                    // No room below: on the element's top, as over a caret.
                    anchor_case{"over_an_element_at_the_bottom",
                                anchor_kind::element,
                                {100, 900, 500, WORK_BOTTOM - HEIGHT + 1},
                                {100, 840}},
                    anchor_case{"over_an_element_filling_the_screen",
                                anchor_kind::element,
                                {0, 0, 1280, WORK_BOTTOM},
                                {0, -HEIGHT}}),
    [](const testing::TestParamInfo<anchor_case>& row) { return std::string(row.param.name); });

} // namespace
