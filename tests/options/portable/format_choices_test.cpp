#include "options/font_choices.h"
#include "options/format_styles.h"
#include "ui/colour.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// ------------------------------------------------------------ font names

struct face_case {
    const char* name;
    std::vector<std::string> reported;
    std::vector<std::string> listed;
};

class face_name_list_test : public testing::TestWithParam<face_case> {};

TEST_P(face_name_list_test, lists_each_horizontal_face_once) {
    face_name_list list;
    for (const std::string& face : GetParam().reported)
        list.add(face);
    EXPECT_EQ(GetParam().listed, std::vector<std::string>(list.names().begin(), list.names().end()));
}

INSTANTIATE_TEST_SUITE_P(
    cases, face_name_list_test,
    testing::Values(
        face_case{"vertical_faces_are_skipped", {"@MS Gothic", "MS Gothic", "@"}, {"MS Gothic"}},
        face_case{"repeats_from_other_character_sets",
                  {"Arial", "Courier", "Arial", "Arial"},
                  {"Arial", "Courier"}},
        face_case{"prefix_before_longer", {"Arial", "Arial Black", "Arial"}, {"Arial", "Arial Black"}},
        face_case{"longer_before_prefix", {"Arial Black", "Arial", "Arial Black"}, {"Arial", "Arial Black"}},
        face_case{"names_differing_in_case_are_different_faces", {"abc", "ABC"}, {"ABC", "abc"}},
        face_case{"empty_name", {""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ font sizes

const std::vector<int> standard_sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct raster_font {
    int cell_height;
    int internal_leading;
};

struct size_case {
    const char* name;
    std::vector<raster_font> raster;
    bool scalable_last;
    int pixels_per_inch;
    std::vector<int> sizes;
};

class point_size_list_test : public testing::TestWithParam<size_case> {};

TEST_P(point_size_list_test, offers_the_sizes_of_the_face) {
    const size_case& c = GetParam();
    point_size_list list;
    for (const raster_font& font : c.raster)
        list.add_raster_size(font.cell_height, font.internal_leading, c.pixels_per_inch);
    if (c.scalable_last)
        list.add_scalable_sizes();
    EXPECT_EQ(c.sizes, list.sizes());
}

INSTANTIATE_TEST_SUITE_P(
    cases, point_size_list_test,
    testing::Values(size_case{"scalable_face", {}, true, 96, standard_sizes},
                    // 16 - 3 = 13 pixels at 96 per inch is 9 points (integer arithmetic).
                    size_case{"raster_sizes_sorted_and_unique",
                              {{16, 3}, {13, 0}, {11, 0}, {16, 3}, {37, 5}},
                              false,
                              96,
                              {8, 9, 24}},
                    size_case{"raster_at_120_pixels_per_inch", {{20, 4}, {12, 2}}, false, 120, {6, 9}},
                    size_case{"screen_without_resolution_counts_as_96", {{16, 0}}, false, 0, {12}},
                    size_case{"scalable_replaces_raster", {{16, 3}}, true, 96, standard_sizes}),
    [](const auto& info) { return std::string(info.param.name); });

struct selection_case {
    const char* name;
    std::vector<int> sizes;
    int stored;
    int selected;
};

class size_selection_test : public testing::TestWithParam<selection_case> {};

TEST_P(size_selection_test, selects_the_first_size_at_least_the_stored_one) {
    EXPECT_EQ(GetParam().selected, size_selection(GetParam().sizes, GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(cases, size_selection_test,
                         testing::Values(selection_case{"exact", standard_sizes, 10, 2},
                                         selection_case{"between_sizes_takes_the_larger", standard_sizes, 13,
                                                        5},
                                         selection_case{"above_all_takes_the_last", standard_sizes, 100, 15},
                                         selection_case{"below_all_takes_the_first", standard_sizes, 1, 0},
                                         selection_case{"negative_takes_the_first", {8, 9}, -5, 0},
                                         selection_case{"empty_list_selects_nothing", {}, 10, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------- automatic label colour

TEST(automatic_label, is_white_on_dark_faces_and_black_on_light_ones) {
    struct {
        colour_value face;
        bool white;
    } cases[] = {
        {rgb(0, 0, 255), true},     // automatic incomplete-result colour
        {rgb(255, 0, 0), true},     // automatic error colour
        {rgb(128, 128, 128), true}, // 384: the last white one
        {rgb(128, 128, 129), false},
        {rgb(212, 208, 200), false}, // a button face
        {rgb(255, 255, 255), false},
        {rgb(0, 0, 0), true},
        {0xFF000000u | rgb(255, 255, 255), false}, // bits above blue are no colour
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.white, automatic_label_is_white(c.face)) << std::hex << c.face;
}

// ------------------------------------------------------------ working copy

// Every field of the three groups differs from the others and from the
// defaults, so a field copied to the wrong place shows.
settings styled_settings() {
    settings s;
    s.main_frame_color = 1;
    s.main_back_color = 2;
    s.main_frame_style = 1;
    s.exp_font_name = "Editor Face";
    s.exp_font_size = 12;
    s.exp_font_color = 3;
    s.exp_back_color = 4;
    s.exp_frame_color = 5;
    s.exp_frame_style = 2;
    s.ans_font_name = "Answer Face";
    s.ans_font_size = 14;
    s.ans_font_color = 6;
    s.ans_back_color = 7;
    s.ans_frame_color = 8;
    s.ans_error_color = 9;
    s.ans_nc_color = 10;
    s.ans_frame_style = 1;
    return s;
}

TEST(format_styles, read_then_write_gives_the_same_settings_and_touches_nothing_else) {
    const settings source = styled_settings();
    settings target;
    target.main_icon_file = "keep.ico";
    target.disable_resize = true;
    format_styles(source).write(target);

    settings expected = source;
    expected.main_icon_file = "keep.ico";
    expected.disable_resize = true;
    EXPECT_EQ(expected, target);
}

struct colour_move_case {
    int window;
    slot_colours loaded; // current colours after loading, from all 100s
    slot_colours stored; // the window's colours after storing 20..24
};

class format_styles_colours : public testing::TestWithParam<colour_move_case> {};

TEST_P(format_styles_colours, move_only_the_colours_the_window_has) {
    const colour_move_case& c = GetParam();
    format_styles styles(styled_settings());
    slot_colours current{100, 100, 100, 100, 100};
    styles.load_colours(c.window, current);
    EXPECT_EQ(c.loaded, current);

    styles.store_colours(c.window, {20, 21, 22, 23, 24});
    EXPECT_EQ(c.stored, styles[c.window].colours);
}

INSTANTIATE_TEST_SUITE_P(windows, format_styles_colours,
                         testing::Values(
                             // background, frame, text, incomplete, error
                             colour_move_case{main_window_style, {2, 1, 100, 100, 100}, {20, 21, -1, -1, -1}},
                             colour_move_case{editor_style, {4, 5, 3, 100, 100}, {20, 21, 22, -1, -1}},
                             colour_move_case{answer_style, {7, 8, 6, 10, 9}, {20, 21, 22, 23, 24}}));

TEST(format_styles, a_window_out_of_range_reaches_the_main_window) {
    format_styles styles(styled_settings());
    EXPECT_EQ(&styles[main_window_style], &styles[7]);
    EXPECT_EQ(&styles[main_window_style], &styles[-1]);
}

} // namespace
