#include "calc/half_width_input.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

#include <string>

namespace {

// Texts in UTF-8, turned into code page 932 by the platform's own converter,
// as the window and tarvik-cli turn typed text into the engine's.
struct half_width_case {
    const char* typed;
    const char* read;
};

void PrintTo(const half_width_case& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class half_width_input_test : public testing::TestWithParam<half_width_case> {};

TEST_P(half_width_input_test, turns_full_width_forms_into_ascii_and_keeps_the_rest) {
    EXPECT_EQ(utf8_from_sjis(half_width_input(sjis(GetParam().typed))), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    typed_and_pasted, half_width_input_test,
    testing::Values(half_width_case{"１２３＋４", "123+4"}, half_width_case{"3×4－1", "3*4-1"},
                    half_width_case{"８÷２－１", "8/2-1"}, half_width_case{"１　＋　２", "1 + 2"},
                    half_width_case{"ｓｉｎ（３０）", "sin(30)"}, half_width_case{"０ｘＦＦ", "0xFF"},
                    half_width_case{"ａｎｓ＊２", "ans*2"}, half_width_case{"１：３０", "1:30"},
                    half_width_case{"", ""}, half_width_case{"1+2", "1+2"},
                    // Nothing else is guessed: these stay for the engine to report.
                    half_width_case{"1+あ", "1+あ"}, half_width_case{"角度", "角度"},
                    half_width_case{"1‐2", "1‐2"}, half_width_case{"1―2", "1―2"},
                    half_width_case{"ｱ1", "ｱ1"}, half_width_case{"１０￥", "10￥"},
                    // A trail byte is no character: メ is 0x83 0x81, and 0x81 0x7B would be ＋.
                    half_width_case{"メ{", "メ{"}, half_width_case{"ア", "ア"}));

TEST(half_width_input, every_full_width_ascii_form_becomes_its_ascii_character) {
    for (char32_t c = 0xFF01; c <= 0xFF5E; ++c) {
        const char utf8[] = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                             static_cast<char>(0x80 | (c & 0x3F)), 0};
        EXPECT_EQ(half_width_input(sjis(utf8)), std::string(1, static_cast<char>(c - 0xFF01 + '!'))) << utf8;
    }
}

TEST(half_width_input, a_lead_byte_at_the_end_stays) { EXPECT_EQ(half_width_input("1\x82"), "1\x82"); }

} // namespace
