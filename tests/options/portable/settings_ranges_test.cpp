#include "options/settings_ranges.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "options/settings.h"

namespace {

// One ranged field as the file held it, as the program works with it, and as
// it is written back.
struct store_case {
    const char* name;
    std::int32_t settings::*field;
    std::int32_t in_file;
    std::int32_t working;
    std::int32_t written;
};

class stored_values : public testing::TestWithParam<store_case> {};

TEST_P(stored_values, keep_what_the_user_wrote_unless_the_user_changes_it) {
    const store_case& c = GetParam();
    settings stored;
    stored.*c.field = c.in_file;
    settings working = stored;
    make_usable(working);
    working.*c.field = c.working;
    EXPECT_EQ(settings_to_store(working, stored).*c.field, c.written);
}

INSTANTIATE_TEST_SUITE_P(settings_ranges, stored_values,
                         testing::Values(
                             // A large font set by hand is drawn as it is, and kept.
                             store_case{"answer_font_of_80_points", &settings::ans_font_size, 80, 80, 80},
                             store_case{"editor_font_of_300_points", &settings::exp_font_size, 300, 300, 300},
                             // Unusable values fall back while running but stay in the file...
                             store_case{"font_size_zero", &settings::exp_font_size, 0, 10, 0},
                             store_case{"precision_99", &settings::precision, 99, 10, 99},
                             store_case{"exp_translate_1", &settings::exp_translate, 1, 10, 1},
                             store_case{"answer_mode_9", &settings::answer_mode, 9, 0, 9},
                             store_case{"angle_mode_minus_1", &settings::angle_mode, -1, 0, -1},
                             store_case{"frame_style_7", &settings::ans_frame_style, 7, 0, 7},
                             store_case{"show_position_5", &settings::show_position, 5, 0, 5},
                             // ...until the user chooses another value.
                             store_case{"unusable_precision_changed", &settings::precision, 99, 12, 12},
                             store_case{"unusable_answer_mode_changed", &settings::answer_mode, 9, 4, 4},
                             store_case{"usable_precision_changed", &settings::precision, 5, 7, 7},
                             store_case{"usable_answer_mode_changed_to_the_default", &settings::answer_mode,
                                        3, 0, 0}),
                         [](const testing::TestParamInfo<store_case>& test) { return test.param.name; });

TEST(settings_ranges, fields_without_a_range_are_written_as_the_program_holds_them) {
    settings stored;
    stored.comma = false;
    stored.window_rect = {1, 2, 3, 4};
    settings working = stored;
    working.comma = true;
    working.window_rect = {10, 20, 310, 170};
    EXPECT_EQ(settings_to_store(working, stored), working);
}

} // namespace
