// Showing a committed answer and rounding "ans": the helpers the main window and
// tarvik-cli share.
#include "engine/answer_format.h"

#include "engine/calculator_error.h"
#include "support/sjis.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

cal::answer_options options(int mode, int precision = 10, int exp_translate = 10, bool comma = false) {
    cal::answer_options o;
    o.answer_mode = cal::answer_form_from_number(mode);
    o.precision = precision;
    o.exp_translate = exp_translate;
    o.comma = comma;
    return o;
}

struct format_case {
    double value;
    cal::answer_options options;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const format_case& c) {
    return out << c.value << " mode " << static_cast<int>(c.options.answer_mode) << " precision "
               << c.options.precision << " exp " << c.options.exp_translate << " comma " << c.options.comma
               << " -> " << c.expected;
}

class format_answer_test : public testing::TestWithParam<format_case> {};

TEST_P(format_answer_test, picks_the_formatter_by_the_answer_mode) {
    EXPECT_EQ(cal::format_answer(GetParam().value, GetParam().options), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    modes, format_answer_test,
    testing::Values(format_case{1.0 / 3.0, options(0), "0.3333333333"},
                    format_case{1234567.891, options(0, 3, 10, true), "1,234,567.891"},
                    format_case{150.0, options(0, 10, 3), "1.5e2"},
                    format_case{1.0 / 3.0, options(0, 4), "0.3333"},
                    format_case{12.345678, options(1), "12:20:44.4408"},
                    format_case{12.345678, options(1, 2), "12:20:44.44"},
                    format_case{1234.0, options(1, 10, 10, true),
                                "1234:00:00"}, // comma is for the real form only
                    format_case{5.0, options(2), "0b101"}, format_case{8.0, options(3), "0o10"},
                    format_case{255.0, options(4), "0xFF"}, format_case{-1.0, options(4), "0xFFFFFFFF"},
                    // out-of-range settings fall back
                    format_case{1.0 / 3.0, options(5), "0.3333333333"},
                    format_case{1.0 / 3.0, options(-1), "0.3333333333"},
                    format_case{1.0 / 3.0, options(0, 16), "0.3333333333"},
                    format_case{1.0 / 3.0, options(0, -1), "0.3333333333"},
                    format_case{12.345678, options(1, 99), "12:20:44.4408"},
                    format_case{12345678901.0, options(0, 10, 1), "1.2345678901e10"},
                    format_case{12345678901.0, options(0, 10, 16), "1.2345678901e10"},
                    format_case{12345678901.0, options(0, 10, -1), "1.2345678901e10"},
                    format_case{150.0, options(0, 10, 2), "1.5e2"},
                    format_case{1e14, options(0, 10, 15), "100000000000000"},
                    format_case{nan_value, options(0), "nan"}, format_case{-infinity, options(0), "-inf"}));

TEST(format_answer_errors, raise_the_formatter_message) {
    try {
        cal::format_answer(4294967296.0, options(4));
        FAIL() << "no error";
    } catch (const cal::calculator_error& e) {
        EXPECT_EQ(e.what(), sjis("16進数で表現できる範囲を超えました。"));
        EXPECT_EQ(e.position, 0);
        EXPECT_EQ(e.length, 0);
    }
    EXPECT_THROW(cal::format_answer(3e9, options(1)), cal::calculator_error);
    EXPECT_THROW(cal::format_answer(1e10, options(2)), cal::calculator_error);
    EXPECT_THROW(cal::format_answer(1e10, options(3)), cal::calculator_error);
    EXPECT_NO_THROW(cal::format_answer(1e300, options(0)));
}

struct rounding_case {
    double value;
    const char* shown;
    int mode;
    double expected;
};

std::ostream& operator<<(std::ostream& out, const rounding_case& c) {
    return out << c.value << " shown " << c.shown << " mode " << c.mode << " -> " << c.expected;
}

class rounded_ans_test : public testing::TestWithParam<rounding_case> {};

TEST_P(rounded_ans_test, gives_the_value_as_shown) {
    double result = cal::rounded_ans(GetParam().value, GetParam().shown,
                                     cal::answer_form_from_number(GetParam().mode));
    if (std::isnan(GetParam().expected))
        EXPECT_TRUE(std::isnan(result));
    else
        EXPECT_EQ(result, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    modes, rounded_ans_test,
    testing::Values(
        rounding_case{1.0 / 3.0, "0.3333333333", 0, 0.3333333333},
        rounding_case{1234567.891, "1,234,567.891", 0, 1234567.891},
        rounding_case{1e20 + 12345, "100,000,000,000,000,000,000", 0, 1e20},
        rounding_case{150.04, "1.5e2", 0, 150.0}, rounding_case{0.0000000000015, "1.5e-12", 0, 1.5e-12},
        rounding_case{-0.001, "0", 0, 0.0}, rounding_case{-2.0 / 3.0, "-0.667", 0, -0.667},
        rounding_case{1.0 / 3.0, "0.3333333333", 7, 0.3333333333}, // unknown mode: real
        // mode 1: unchanged
        rounding_case{12.345678, "12:20:44.4408", 1, 12.345678},
        // modes 2-4: low 32 bits of the truncated value, signed
        rounding_case{2.9, "0b10", 2, 2.0},
        rounding_case{-2.9, "0b11111111111111111111111111111110", 2, -2.0},
        rounding_case{4294967295.0, "0xFFFFFFFF", 4, -1.0},
        rounding_case{3000000000.0, "0o26264057000", 3, -1294967296.0}, rounding_case{-1e300, "0x0", 4, 0.0},
        // not finite as shown: the value itself
        rounding_case{DBL_MAX, "1.7976931349e308", 0, DBL_MAX},
        rounding_case{-DBL_MAX, "-1.7976931349e308", 0, -DBL_MAX},
        rounding_case{infinity, "inf", 0, infinity}, rounding_case{nan_value, "nan", 0, nan_value},
        rounding_case{42.5, "", 0, 42.5}, rounding_case{42.5, "garbage", 0, 42.5}));

TEST(ans_value, rounds_only_with_ans_precision) {
    cal::answer_options o = options(0);
    EXPECT_EQ(cal::ans_value(1.0 / 3.0, "0.3333333333", o), 0.3333333333);
    o.ans_precision = false;
    EXPECT_EQ(cal::ans_value(1.0 / 3.0, "0.3333333333", o), 1.0 / 3.0);
}

TEST(round_trip, shown_text_reads_back_for_every_mode) {
    for (double v : {0.1, 2.5, 1.0 / 7.0, 123456.789, 1e-5, 4.2e9, -42.0}) {
        for (int mode : {0, 2, 3, 4}) {
            cal::answer_options o = options(mode, 10, 10, true);
            std::string shown = cal::format_answer(v, o);
            double ans = cal::rounded_ans(v, shown, o.answer_mode);
            EXPECT_TRUE(std::isfinite(ans)) << v << " " << shown;
            if (mode == 0) {
                EXPECT_EQ(cal::format_answer(ans, o), shown) << v;
            }
        }
    }
}

} // namespace
