#include "ui/profile.h"

#include "ini_test_file.h"

#include <climits>

namespace {

class profile_test : public ini_file_test {};

TEST_F(profile_test, integers_are_written_as_signed_decimal_and_read_back) {
    const struct {
        int value;
        const char* text;
    } cases[] = {{0, "0"}, {-1, "-1"}, {1056, "1056"}, {INT_MIN, "-2147483648"}, {INT_MAX, "2147483647"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(write_profile_int("Section", "Value", c.value, path()));
        auto sections = parse_ini(read_raw());
        ASSERT_EQ(sections.size(), 1u);
        EXPECT_EQ(sections[0].entries.at(0).second, c.text);
        int read = 12345;
        EXPECT_EQ(read_profile_int("Section", "Value", 7, read, path()), c.value);
        EXPECT_EQ(read, c.value);
    }
}

TEST_F(profile_test, booleans_are_yes_or_no_and_only_exact_yes_is_true) {
    EXPECT_TRUE(write_profile_bool("S", "On", true, path()));
    EXPECT_TRUE(write_profile_bool("S", "Off", false, path()));
    auto sections = parse_ini(read_raw());
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].entries,
              (std::vector<std::pair<std::string, std::string>>{{"On", "Yes"}, {"Off", "No"}}));

    const struct {
        const char* stored;
        bool expected;
    } cases[] = {{"Yes", true}, {"yes", false},  {"YES", false}, {"No", false},
                 {"1", false},  {"true", false}, {"", false},    {"Yes please", false}};
    for (const auto& c : cases) {
        write_profile_string("S", "Flag", c.stored, path());
        for (bool default_flag : {false, true}) {
            bool flag = !c.expected;
            read_profile_bool("S", "Flag", default_flag, flag, path());
            EXPECT_EQ(flag, c.expected) << "stored \"" << c.stored << "\"";
        }
    }
}

TEST_F(profile_test, missing_file_section_or_key_reads_the_default) {
    int number = 0;
    std::string text;
    bool flag = false;
    EXPECT_EQ(read_profile_int("S", "Missing", -5, number, path()), -5);
    read_profile_string("S", "Missing", "fallback", text, path());
    EXPECT_EQ(text, "fallback");
    read_profile_bool("S", "Missing", true, flag, path());
    EXPECT_TRUE(flag);
    read_profile_bool("S", "Missing", false, flag, path());
    EXPECT_FALSE(flag);

    write_profile_int("Other", "Present", 3, path());
    EXPECT_EQ(read_profile_int("S", "Present", 9, number, path()), 9);
    EXPECT_EQ(read_profile_int("Other", "Missing", 9, number, path()), 9);
    read_profile_string("Other", "Missing", "", text, path());
    EXPECT_EQ(text, "");
}

TEST_F(profile_test, section_and_key_names_ignore_letter_case) {
    write_raw("[option]\r\nanswer mode=3\r\n");
    int number = 0;
    EXPECT_EQ(read_profile_int("Option", "Answer Mode", 0, number, path()), 3);
    write_profile_int("OPTION", "ANSWER MODE", 4, path());
    auto sections = parse_ini(read_raw());
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].entries.size(), 1u) << "the existing key is replaced in place";
    EXPECT_EQ(read_profile_int("Option", "Answer Mode", 0, number, path()), 4);
}

TEST_F(profile_test, a_present_key_without_a_number_reads_as_zero) {
    write_raw("[S]\r\nWord=abc\r\nMixed=12abc\r\nNegative=-40\r\n");
    int number = 0;
    EXPECT_EQ(read_profile_int("S", "Word", 7, number, path()), 0);
    EXPECT_EQ(read_profile_int("S", "Mixed", 7, number, path()), 12);
    EXPECT_EQ(read_profile_int("S", "Negative", 7, number, path()), -40);
}

TEST_F(profile_test, a_line_break_in_a_value_cannot_add_keys_or_sections) {
    const char* values[] = {"a()=1//x\r\nSize=9999", "a()=1//x\nSize=9999",
                            "a()=1//x\r[Option]\r\nSize=9999"};
    for (const char* value : values) {
        write_profile_int("User Function", "Size", 1, path());
        EXPECT_TRUE(write_profile_string("User Function", "f0", value, path()));
        auto sections = parse_ini(read_raw());
        ASSERT_EQ(sections.size(), 1u);
        EXPECT_EQ(sections[0].entries,
                  (std::vector<std::pair<std::string, std::string>>{{"Size", "1"}, {"f0", "a()=1//x"}}));
    }
}

// The buffer grows until the value fits, whatever its length, including the
// lengths at the edges of each buffer size.
class profile_string_length_test : public ini_file_test, public ::testing::WithParamInterface<std::size_t> {};

std::string text_of_length(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

TEST_P(profile_string_length_test, stored_values_come_back_whole) {
    const std::string value = text_of_length(GetParam());
    EXPECT_TRUE(write_profile_string("S", "Text", value, path()));
    std::string text = "old";
    read_profile_string("S", "Text", "", text, path());
    ASSERT_EQ(text.size(), value.size());
    EXPECT_TRUE(text == value);
}

TEST_P(profile_string_length_test, defaults_come_back_whole) {
    const std::string fallback = text_of_length(GetParam());
    std::string text = "old";
    read_profile_string("S", "Missing", fallback, text, path());
    ASSERT_EQ(text.size(), fallback.size());
    EXPECT_TRUE(text == fallback);
}

INSTANTIATE_TEST_SUITE_P(lengths, profile_string_length_test,
                         ::testing::Values(0, 1, 253, 254, 255, 256, 257, 300, 509, 510, 511, 512, 767, 1021,
                                           1022, 1023, 5000, 32766));

} // namespace
