#include "options/number_field.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(edit_number_value, reads_what_a_digits_only_edit_can_hold) {
    const struct {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"", 0}, // an emptied edit
        {"3", 3},
        {"015", 15},
        {"  12", 12}, // leading blanks
        {"16x", 16},  // digits up to the first other character
        {"abc", 0},   // pasted text without digits
        {"-3", 0},
        {"4294967295", 4294967295u},
        {"4294967296", 4294967295u}, // beyond 32 bits: the largest, never wrapped to 0
        {"99999999999999999999999", 4294967295u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, edit_number_value(c.text)) << '"' << c.text << '"';
}

} // namespace
