// Expressions whose committed answer the differential test against the Python
// model checks natively; here they run on every build, so that the Windows
// build (its own libm and conversions) shows the very same texts.
#include "engine/answer_format.h"
#include "engine/calculator.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct committed_case {
    const char* expression;
    int answer_mode;
    int precision;
    int exp_translate;
    bool comma;
    const char* expected; // the answer text
};

std::ostream& operator<<(std::ostream& out, const committed_case& c) {
    return out << c.expression << " (mode " << c.answer_mode << ", precision " << c.precision << ", exp "
               << c.exp_translate << (c.comma ? ", comma" : "") << ") -> " << c.expected;
}

class committed_answer : public ::testing::TestWithParam<committed_case> {};

TEST_P(committed_answer, shows_the_expected_text) {
    const committed_case& c = GetParam();
    cal::calculator calc;
    calc.add_user_function("area(w, h)=w*h");
    cal::answer_options options;
    options.answer_mode = cal::answer_form_from_number(c.answer_mode);
    options.precision = c.precision;
    options.exp_translate = c.exp_translate;
    options.comma = c.comma;
    EXPECT_EQ(cal::format_answer(calc.calculate(c.expression), options), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    rounding_and_powers_of_ten, committed_answer,
    ::testing::Values(
        // The exponent form rounds the 17-digit expansion 7.3816696189251995e23, half up;
        // dividing by the double nearest to 10^23 gave 7.381669618925201e23.
        committed_case{"738166961.892520e+15", 0, 15, 12, true, "7.3816696189252e23"},
        committed_case{"1e23", 0, 10, 10, false, "1e23"},
        // Ties on the 17-digit expansion round half up, both signs.
        committed_case{"2.5", 0, 0, 10, false, "3"}, committed_case{"-2.5", 0, 0, 10, false, "-3"},
        committed_case{"1.05", 0, 1, 10, false, "1.1"}, committed_case{"0.125", 0, 2, 10, false, "0.13"},
        committed_case{"1.25e-20", 0, 1, 10, false, "1.3e-20"},
        committed_case{"1234567.891", 0, 10, 10, true, "1,234,567.8910000001"},
        // Integer conversions beyond 32 bits keep the low bits; beyond 64 bits give 0.
        committed_case{"9.2233720368547748e18 | 1", 0, 10, 10, false, "-1023"},
        committed_case{"-9.223372036854775808e18 | 1", 0, 10, 10, false, "1"},
        committed_case{"9.223372036854775807e18 | 1", 0, 10, 10, false, "1"},
        committed_case{"~1e300", 0, 10, 10, false, "-1"},
        // Precedence: the second "**" pops the first although "**" is right-associative.
        committed_case{"2**-2**-1", 0, 10, 10, false, "4"}, committed_case{"(x)=5", 0, 10, 10, false, "5"},
        committed_case{"0x10 2", 4, 10, 10, false, "0x2"},
        committed_case{"-2147483646.5", 1, 0, 10, false, "-2147483646:30:00"}));

struct error_case {
    const char* expression;
    const char* message; // UTF-8
    std::int32_t position;
    std::int32_t length;
};

std::ostream& operator<<(std::ostream& out, const error_case& c) {
    return out << c.expression << " -> " << c.message << " at " << c.position << ", " << c.length;
}

class committed_error : public ::testing::TestWithParam<error_case> {};

TEST_P(committed_error, raises_the_expected_error) {
    const error_case& c = GetParam();
    cal::calculator calc;
    calc.add_user_function("area(w, h)=w*h");
    EXPECT_CALC_ERROR(calc, c.expression, c.message, c.position, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    ranges_and_short_stacks, committed_error,
    ::testing::Values(error_case{"2.2250738585072011e-308", "数字が有効範囲から外れています。", 0, 23},
                      error_case{"1.7976931348623159e308", "数字が有効範囲から外れています。", 0, 22},
                      error_case{"1e-323*1e300", "数字が有効範囲から外れています。", 0, 6},
                      error_case{"1e-160*1e-160", "結果が有効範囲から外れました。", -1, 0},
                      error_case{"if(1,2,+)", "不正な構文です。", 0, 0},
                      error_case{"area(1,+)", "不正な構文です。", 6, 0},
                      error_case{"(x=2)=3", "代入文の左辺が変数ではありません。", 5, 1}));

} // namespace
