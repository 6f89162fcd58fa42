#include "app/parenthesis_match.h"

#include <gtest/gtest.h>

#include <string>

#include "support/sjis.h"

namespace {

struct match_case {
    const char* text;
    int index;
    int expected;
};

class find_match_test : public testing::TestWithParam<match_case> {};

TEST_P(find_match_test, finds_the_partner_or_minus_one) {
    const match_case& c = GetParam();
    EXPECT_EQ(find_match(std::string_view(c.text), c.index), c.expected) << c.text << " at " << c.index;
}

TEST_P(find_match_test, gives_the_same_answer_on_wide_text) {
    const match_case& c = GetParam();
    const std::string narrow(c.text);
    const std::wstring wide(narrow.begin(), narrow.end());
    EXPECT_EQ(find_match(std::wstring_view(wide), c.index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(cases, find_match_test,
                         testing::Values(
                             // (1+(2)): each parenthesis with its partner, in both directions
                             match_case{"(1+(2))", 0, 6}, match_case{"(1+(2))", 6, 0},
                             match_case{"(1+(2))", 3, 5}, match_case{"(1+(2))", 5, 3}, match_case{"()", 0, 1},
                             match_case{"()", 1, 0}, match_case{"((()))()", 1, 4},
                             match_case{"((()))()", 6, 7},
                             // no partner: unbalanced to the end or to the start
                             match_case{"(1+(2)", 0, -1}, match_case{"(1+(2)", 3, 5},
                             match_case{"1+2)", 3, -1}, match_case{")(", 0, -1}, match_case{")(", 1, -1},
                             // not a parenthesis, out of range, empty text
                             match_case{"(1+2)", 1, -1}, match_case{"(1+2)", 5, -1},
                             match_case{"(1+2)", -1, -1}, match_case{"", 0, -1}, match_case{"", -1, -1},
                             // other brackets and quotes have no meaning
                             match_case{"([)]", 0, 2}, match_case{"(\")\")", 0, 2}));

TEST(find_match_on_shift_jis, skips_double_byte_characters) {
    // "（" and "）" are full-width: their bytes never look like "(" or ")".
    const std::string text = sjis("(角度（1）+2)");
    EXPECT_EQ(find_match(text, 0), static_cast<int>(text.size()) - 1);
    EXPECT_EQ(find_match(text, static_cast<int>(text.size()) - 1), 0);
}

} // namespace
