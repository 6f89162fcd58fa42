#include "calc/ans_replacement.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

#include <string>

namespace {

struct replacement_case {
    std::string expression;
    std::string ans_text;
    std::string expected;
};

void PrintTo(const replacement_case& c, std::ostream* os) {
    *os << '"' << c.expression << "\" with ans \"" << c.ans_text << '"';
}

class replace_ans_test : public testing::TestWithParam<replacement_case> {};

TEST_P(replace_ans_test, rewrites_free_standing_ans_only) {
    EXPECT_EQ(replace_ans(GetParam().expression, GetParam().ans_text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    names_and_numbers, replace_ans_test,
    testing::Values(replacement_case{"ans*2", "12", "12*2"}, replacement_case{"ans", "12", "12"},
                    replacement_case{"", "12", ""}, replacement_case{"1+2", "12", "1+2"},
                    // Any letter case is the same variable.
                    replacement_case{"ANS+1", "12", "12+1"}, replacement_case{"aNs+AnS", "12", "12+12"},
                    // After a number: an implicit multiplication, kept one by parentheses.
                    replacement_case{"2ans", "12", "2(12)"}, replacement_case{"1.5ans", "12", "1.5(12)"},
                    replacement_case{"3*10ans", "-4", "3*10(-4)"},
                    // Parts of longer names stay.
                    replacement_case{"x2ans", "12", "x2ans"}, replacement_case{"_1ans", "12", "_1ans"},
                    replacement_case{"answer+1", "12", "answer+1"},
                    replacement_case{"1+answer", "12", "1+answer"}, replacement_case{"_ans", "12", "_ans"},
                    replacement_case{"ans_", "12", "ans_"}, replacement_case{"ans2", "12", "ans2"},
                    replacement_case{"xans", "12", "xans"}, replacement_case{"ansans", "12", "ansans"},
                    replacement_case{"an", "12", "an"},
                    // Separated by operators, blanks or parentheses every use is replaced.
                    replacement_case{"ans+ans*ans", "3", "3+3*3"}, replacement_case{"(ans)", "3", "(3)"},
                    replacement_case{"sin(ans) ans", "3", "sin(3) 3"},
                    replacement_case{"2ans+answer-ans", "5", "2(5)+answer-5"},
                    // The replacement text itself is not searched again.
                    replacement_case{"ans+1", "ans", "ans+1"}, replacement_case{"ans+ans", "", "+"},
                    replacement_case{"1,234", "1", "1,234"}, replacement_case{"ans", "1.5e+10", "1.5e+10"}));

// The second byte of a double-byte character may be an ASCII letter ("ア" is
// 0x83 0x41, an "A"); it must never be taken for the start of "ans".
TEST(replace_ans_in_shift_jis, leaves_double_byte_characters_whole) {
    const std::string katakana_a = sjis("ア");
    ASSERT_EQ(katakana_a, "\x83\x41");
    EXPECT_EQ(replace_ans(katakana_a + "ns+1", "12"), katakana_a + "ns+1");
    EXPECT_EQ(replace_ans(sjis("ア") + "+ans", "12"), sjis("ア") + "+12");
}

TEST(replace_ans_in_shift_jis, a_double_byte_character_in_front_is_no_name) {
    EXPECT_EQ(replace_ans(sjis("あ") + "ans", "7"), sjis("あ") + "7");
    // "ツ" is 0x83 0x63: its second byte, a "c", is not a letter here.
    EXPECT_EQ(replace_ans(sjis("ツ") + "ans", "7"), sjis("ツ") + "7");
    // A digit whose run reaches a double-byte character is a number.
    EXPECT_EQ(replace_ans(sjis("ア") + "2ans", "7"), sjis("ア") + "2(7)");
}

TEST(replace_ans_in_shift_jis, high_bytes_are_neither_letters_nor_digits) {
    EXPECT_EQ(replace_ans("\xA0"
                          "ans\xA0",
                          "7"),
              "\xA0"
              "7\xA0");
    // A lead byte at the very end has no second byte to hide.
    EXPECT_EQ(replace_ans("ans\x83", "7"), "7\x83");
}

} // namespace
