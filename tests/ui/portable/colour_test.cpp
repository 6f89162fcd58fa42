#include "ui/colour.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct hls_case {
    colour_value colour;
    hls_colour hls;
};

class rgb_to_hls_test : public testing::TestWithParam<hls_case> {};

TEST_P(rgb_to_hls_test, gives_the_known_hue_lightness_and_saturation) {
    const hls_colour got = rgb_to_hls(GetParam().colour);
    EXPECT_EQ(got.hue, GetParam().hls.hue);
    EXPECT_EQ(got.lightness, GetParam().hls.lightness);
    EXPECT_EQ(got.saturation, GetParam().hls.saturation);
}

INSTANTIATE_TEST_SUITE_P(
    known_values, rgb_to_hls_test,
    testing::Values(hls_case{rgb(255, 255, 255), {170, 255, 0}}, hls_case{rgb(0, 0, 0), {170, 0, 0}},
                    hls_case{rgb(192, 192, 192), {170, 192, 0}}, hls_case{rgb(255, 0, 0), {0, 128, 255}},
                    hls_case{rgb(0, 255, 0), {85, 128, 255}}, hls_case{rgb(0, 0, 255), {170, 128, 255}},
                    hls_case{rgb(255, 255, 0), {42, 128, 255}}, hls_case{rgb(255, 0, 255), {213, 128, 255}},
                    hls_case{rgb(128, 0, 0), {0, 64, 255}}, hls_case{rgb(212, 208, 200), {28, 206, 31}},
                    hls_case{rgb(10, 200, 100), {105, 105, 231}}, hls_case{rgb(250, 128, 114), {4, 182, 238}},
                    // Bits above the blue byte are not part of the colour.
                    hls_case{0xFF000000u | rgb(255, 0, 0), {0, 128, 255}}));

struct rgb_case {
    hls_colour hls;
    colour_value colour;
};

class hls_to_rgb_test : public testing::TestWithParam<rgb_case> {};

TEST_P(hls_to_rgb_test, gives_the_known_colour) { EXPECT_EQ(hls_to_rgb(GetParam().hls), GetParam().colour); }

INSTANTIATE_TEST_SUITE_P(
    known_values, hls_to_rgb_test,
    testing::Values(rgb_case{{170, 190, 0}, rgb(190, 190, 190)}, rgb_case{{0, 128, 255}, rgb(255, 1, 1)},
                    rgb_case{{105, 105, 231}, rgb(10, 200, 100)}, rgb_case{{4, 182, 238}, rgb(250, 127, 114)},
                    // The rounding near hue 42 overshoots 255; it must stay
                    // 255 and not wrap round to 5 (yellow turning green).
                    rgb_case{{42, 128, 255}, rgb(255, 255, 1)}, rgb_case{{127, 128, 255}, rgb(1, 255, 255)},
                    // Out-of-range inputs are clamped instead of overflowing.
                    rgb_case{{170, 300, 0}, rgb(255, 255, 255)}, rgb_case{{170, -20, 0}, rgb(0, 0, 0)},
                    rgb_case{{-5, 128, 999}, rgb(255, 1, 1)}));

TEST(hls_round_trip, greys_come_back_exactly) {
    for (int level = 0; level <= 255; ++level) {
        const colour_value grey = rgb(level, level, level);
        EXPECT_EQ(hls_to_rgb(rgb_to_hls(grey)), grey) << level;
    }
}

TEST(hls_round_trip, colours_come_back_within_rounding_and_in_range) {
    for (int r = 0; r <= 255; r += 5) {
        for (int g = 0; g <= 255; g += 5) {
            for (int b = 0; b <= 255; b += 5) {
                const colour_value back = hls_to_rgb(rgb_to_hls(rgb(r, g, b)));
                ASSERT_LE(back, 0xFFFFFFu);
                ASSERT_LE(std::abs(red_of(back) - r), 8) << r << ',' << g << ',' << b;
                ASSERT_LE(std::abs(green_of(back) - g), 8) << r << ',' << g << ',' << b;
                ASSERT_LE(std::abs(blue_of(back) - b), 8) << r << ',' << g << ',' << b;
            }
        }
    }
}

struct shade_case {
    colour_value base;
    colour_value light;
    colour_value dark;
};

class shades_test : public testing::TestWithParam<shade_case> {};

TEST_P(shades_test, move_the_lightness_by_65_within_the_range) {
    const frame_shades shades = shades_of(GetParam().base);
    EXPECT_EQ(shades.light, GetParam().light);
    EXPECT_EQ(shades.dark, GetParam().dark);
}

INSTANTIATE_TEST_SUITE_P(known_values, shades_test,
                         testing::Values(
                             // White: the light side is clipped at 255, the dark side is grey 190.
                             shade_case{rgb(255, 255, 255), rgb(255, 255, 255), rgb(190, 190, 190)},
                             // Black: the dark side stays black, the light side is grey 65.
                             shade_case{rgb(0, 0, 0), rgb(65, 65, 65), rgb(0, 0, 0)},
                             // The classic button face.
                             shade_case{rgb(192, 192, 192), rgb(255, 255, 255), rgb(127, 127, 127)},
                             shade_case{rgb(128, 128, 128), rgb(193, 193, 193), rgb(63, 63, 63)},
                             shade_case{rgb(255, 0, 0), rgb(255, 131, 131), rgb(126, 0, 0)},
                             shade_case{rgb(255, 255, 0), rgb(255, 255, 131), rgb(129, 126, 0)},
                             shade_case{rgb(236, 233, 216), rgb(255, 255, 255), rgb(193, 184, 129)}));

} // namespace
