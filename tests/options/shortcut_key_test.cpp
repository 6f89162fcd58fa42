#include "options/shortcut_key.h"

#include "test_printers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(shortcut_key, stored_text_is_code_and_key_in_signed_decimal) {
    const struct {
        shortcut_key pair;
        const char* text;
    } cases[] = {
        {{USER_FUNCTION_FLAG, 'A'}, "-2147483648,65"},     // user function 0 on Alt+A
        {{USER_FUNCTION_FLAG | 1, 'Z'}, "-2147483647,90"}, // user function 1 on Alt+Z
        {{0, '1'}, "0,49"},                                // abs on Alt+1
        {{19, '-'}, "19,45"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pair.to_text(), c.text);
        EXPECT_EQ(shortcut_key::from_text(c.text), c.pair) << c.text;
    }
}

TEST(shortcut_key, hand_edited_texts_read_without_failing) {
    const struct {
        const char* text;
        shortcut_key expected;
    } cases[] = {
        {"5", {5, 5}}, // no comma: the whole text serves for both
        {"-7", {-7, -7}},
        {"12abc", {12, 12}},
        {"", {0, 0}},
        {",", {0, 0}},
        {"x,7", {0, 7}},
        {"7,", {7, 0}},
        {"  12 ,  34", {12, 34}},
        {"\t+3,-4", {3, -4}},
        {"1,2,3", {1, 2}},
        {"- 5,6", {0, 6}},
        {"99999999999,1", {INT_MAX, 1}},
        {"-99999999999,1", {INT_MIN, 1}},
        {"2147483648,-2147483649", {INT_MAX, INT_MIN}},
        {"00000000000000000000065,0066", {65, 66}},
        {"\xff\x80,\x81", {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shortcut_key::from_text(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
