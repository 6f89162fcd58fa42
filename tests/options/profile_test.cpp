#include "ui/profile.h"
#include "ui/profile_section.h"

#include "ini_test_file.h"

#include <windows.h>

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
        EXPECT_EQ(profile_section("Section", path()).read_int("Value", 7), c.value);
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
        for (bool default_flag : {false, true})
            EXPECT_EQ(profile_section("S", path()).read_bool("Flag", default_flag), c.expected)
                << "stored \"" << c.stored << "\"";
    }
}

TEST_F(profile_test, missing_file_section_or_key_reads_the_default) {
    const profile_section no_file("S", path());
    EXPECT_EQ(no_file.read_int("Missing", -5), -5);
    EXPECT_EQ(no_file.read_string("Missing", "fallback"), "fallback");
    EXPECT_TRUE(no_file.read_bool("Missing", true));
    EXPECT_FALSE(no_file.read_bool("Missing", false));

    write_profile_int("Other", "Present", 3, path());
    EXPECT_EQ(profile_section("S", path()).read_int("Present", 9), 9);
    EXPECT_EQ(profile_section("Other", path()).read_int("Missing", 9), 9);
    EXPECT_EQ(profile_section("Other", path()).read_string("Missing", ""), "");
}

TEST_F(profile_test, section_and_key_names_ignore_letter_case) {
    write_raw("[option]\r\nanswer mode=3\r\n");
    EXPECT_EQ(profile_section("Option", path()).read_int("Answer Mode", 0), 3);
    write_profile_int("OPTION", "ANSWER MODE", 4, path());
    auto sections = parse_ini(read_raw());
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].entries.size(), 1u) << "the existing key is replaced in place";
    EXPECT_EQ(profile_section("Option", path()).read_int("Answer Mode", 0), 4);
}

// Values as a hand-edited file may hold them, read as the platform's
// single-value reads read them.
TEST_F(profile_test, hand_written_values_read_as_the_platform_reads_them) {
    write_raw("[S]\r\nWord=abc\r\nMixed=12abc\r\nNegative=-40\r\nPlus= +7\r\nEmpty=\r\nQuoted=\"8\"\r\n"
              "Wrapped=4294967297\r\n  Spaced Key  =  two words  \r\nFirst=1\r\nfirst=2\r\nNo value\r\n"
              "Single='a b'\r\nHalf=\"c\r\nLone=\"\r\n");
    const profile_section section("S", path());
    const struct {
        const char* key;
        int number;
        const char* text;
    } cases[] = {{"Word", 0, "abc"},
                 {"Mixed", 12, "12abc"},
                 {"Negative", -40, "-40"},
                 {"Plus", 7, "+7"},
                 {"Empty", 9, ""},
                 {"Quoted", 8, "8"},
                 {"Wrapped", 1, "4294967297"},
                 {"Spaced Key", 0, "two words"},
                 {"FIRST", 1, "1"},
                 {"No value", 9, "-"},
                 {"Single", 0, "a b"},
                 {"Half", 0, "\"c"},
                 {"Lone", 0, "\""}};
    for (const auto& c : cases) {
        EXPECT_EQ(section.read_int(c.key, 9), c.number) << c.key;
        EXPECT_EQ(section.read_string(c.key, "-"), c.text) << c.key;
        // The single-value reads of the platform agree.
        char text[64];
        GetPrivateProfileStringA("S", c.key, "-", text, sizeof text, path().c_str());
        EXPECT_EQ(std::string(text), c.text) << c.key;
        EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("S", c.key, 9, path().c_str())), c.number) << c.key;
    }
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
    const std::string text = profile_section("S", path()).read_string("Text", "");
    ASSERT_EQ(text.size(), value.size());
    EXPECT_TRUE(text == value);
}

TEST_P(profile_string_length_test, defaults_come_back_whole) {
    const std::string fallback = text_of_length(GetParam());
    const std::string text = profile_section("S", path()).read_string("Missing", fallback);
    ASSERT_EQ(text.size(), fallback.size());
    EXPECT_TRUE(text == fallback);
}

INSTANTIATE_TEST_SUITE_P(lengths, profile_string_length_test,
                         ::testing::Values(0, 1, 253, 254, 255, 256, 257, 300, 509, 510, 511, 512, 767, 1021,
                                           1022, 1023, 5000, 32766));

} // namespace
