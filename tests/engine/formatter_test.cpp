// The answer formatters: their documented cases and the decided
// behaviour for non-finite and extreme input.
#include "engine/formatter.h"

#include "engine/calculator_error.h"
#include "support/sjis.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <functional>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------- format_real

struct real_case {
    double value;
    int decimals;
    int exponent_digits;
    bool grouping;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const real_case& c) {
    return out << "format_real(" << c.value << ", " << c.decimals << ", " << c.exponent_digits << ", "
               << c.grouping << ") -> " << c.expected;
}

class format_real_test : public testing::TestWithParam<real_case> {};

TEST_P(format_real_test, gives_decimals_exponent_and_grouping) {
    const real_case& c = GetParam();
    EXPECT_EQ(cal::format_real(c.value, c.decimals, c.exponent_digits, c.grouping), c.expected);
}

INSTANTIATE_TEST_SUITE_P(edge_cases, format_real_test,
                         testing::Values(
                             // decimals 10, exponent digits 10, no grouping
                             real_case{0.0, 10, 10, false, "0"}, real_case{2.5, 10, 10, false, "2.5"},
                             real_case{-0.25, 10, 10, false, "-0.25"}, real_case{100.0, 10, 10, false, "100"},
                             real_case{1.0 / 3.0, 10, 10, false, "0.3333333333"},
                             real_case{0.00001234, 10, 10, false, "0.00001234"},
                             real_case{0.0000000000015, 10, 10, false, "1.5e-12"},
                             // decimals 2: a negative value that rounds to 0 has no minus sign
                             real_case{-0.001, 2, 10, false, "0"},
                             // grouping, decimals 3
                             real_case{1234567.891, 3, 10, true, "1,234,567.891"},
                             real_case{999.0, 3, 10, true, "999"}, real_case{1000.0, 3, 10, true, "1,000"},
                             // exponent digits 3
                             real_case{150.0, 10, 3, false, "1.5e2"}, real_case{1000.0, 10, 3, false, "1e3"},
                             real_case{100.0, 10, 3, false, "100"}, real_case{99.0, 10, 3, false, "99"},
                             real_case{0.005, 10, 3, false, "5e-3"}, real_case{0.01, 10, 3, false, "0.01"},
                             real_case{0.001, 10, 3, false, "1e-3"}, real_case{0.0001, 10, 3, false, "1e-4"},
                             real_case{12345678901.0, 10, 10, false, "1.2345678901e10"},
                             // decimals 0
                             real_case{2.5, 0, 10, false, "3"}, real_case{0.4, 0, 10, false, "0"}));

INSTANTIATE_TEST_SUITE_P(
    fixed_form, format_real_test,
    testing::Values(
        real_case{-0.0, 10, 10, false, "0"}, real_case{1.0, 10, 10, false, "1"},
        real_case{-2.5, 10, 10, false, "-2.5"}, real_case{10.0, 10, 10, false, "10"},
        real_case{0.1, 10, 10, false, "0.1"}, real_case{0.1 + 0.2, 10, 10, false, "0.3"},
        real_case{2.0 / 3.0, 10, 10, false, "0.6666666667"}, real_case{-2.0 / 3.0, 3, 10, false, "-0.667"},
        real_case{123456789.0, 10, 10, false, "123456789"},
        real_case{1e9, 10, 10, false, "1000000000"},   // not above hi = 10^9
        real_case{1e-9, 10, 10, false, "0.000000001"}, // not below lo = 10^-9
        real_case{0.999999999999, 10, 10, false, "1"}, // carry into a new digit
        real_case{9.99999999996, 10, 10, false, "10"}, real_case{0.05, 1, 10, false, "0.1"}, // half up
        real_case{0.15, 1, 10, false, "0.1"},   // 17 digits: 0.14999999999999999
        real_case{0.35, 1, 10, false, "0.3"},   // 17 digits: 0.34999999999999998
        real_case{0.45, 1, 10, false, "0.5"},   // 17 digits: 0.45000000000000001
        real_case{0.125, 2, 10, false, "0.13"}, // half up, not half even
        real_case{0.6, 0, 10, false, "1"}, real_case{0.5, 0, 10, false, "1"},
        real_case{0.049, 1, 10, false, "0"}, real_case{-0.5, 0, 10, false, "-1"},
        real_case{-0.4, 0, 10, false, "0"}, real_case{1.25, 1, 10, false, "1.3"},
        real_case{1.005, 2, 10, false, "1"}, // 17 digits: 1.0049999999999999
        real_case{1.0049999999999999, 3, 10, false, "1.005"},
        real_case{1e-12, 10, -1, false, "0"}, // -1: never the exponent form
        real_case{1.5e-12, 15, -1, false, "0.0000000000015"},
        real_case{12345678901.0, 10, -1, false, "12345678901"},
        real_case{1e20, 10, -1, false, "100000000000000000000"},
        real_case{1e20, 10, -1, true, "100,000,000,000,000,000,000"},
        real_case{123456789012345678901234.0, 0, -1, false, "123456789012345690000000"},
        real_case{0.1, 15, 10, false, "0.1"}, real_case{1.0 / 3.0, 15, 15, false, "0.333333333333333"},
        real_case{-1234.5, 2, 10, true, "-1,234.5"}, real_case{123.0, 2, 10, true, "123"},
        real_case{1234.0, 0, 10, true, "1,234"}, real_case{0.5, 2, 10, true, "0.5"}));

INSTANTIATE_TEST_SUITE_P(
    exponent_form, format_real_test,
    testing::Values(
        real_case{-150.0, 10, 3, false, "-1.5e2"}, real_case{-0.005, 10, 3, false, "-5e-3"},
        real_case{1234567.0, 3, 3, true, "1.235e6"}, // the mantissa is never grouped
        real_case{101.0, 10, 2, false, "1.01e2"}, real_case{11.0, 10, 2, false, "1.1e1"},
        real_case{10.0, 10, 2, false, "10"}, real_case{0.1, 10, 2, false, "0.1"},
        real_case{0.09, 10, 2, false, "9e-2"}, real_case{1e15, 10, 15, false, "1e15"},
        real_case{1e14, 10, 15, false, "100000000000000"}, real_case{1e-15, 15, 15, false, "1e-15"},
        // a mantissa that rounds up to 10 moves to the next exponent
        real_case{999.9999, 2, 3, false, "1e3"}, real_case{9.9999999999999999e22, 10, 10, false, "1e23"},
        real_case{-0.0099999, 2, 2, false, "-1e-2"}, real_case{1e100, 10, 10, false, "1e100"},
        real_case{1e308, 10, 10, false, "1e308"}, real_case{DBL_MAX, 10, 10, false, "1.7976931349e308"},
        real_case{-DBL_MAX, 10, 10, false, "-1.7976931349e308"}, real_case{1e-300, 10, 10, false, "1e-300"},
        real_case{DBL_MIN, 10, 10, false, "2.2250738585e-308"},
        real_case{5e-324, 10, 10, false, "4.9406564584e-324"}, // smallest subnormal
        real_case{-5e-324, 3, 10, false, "-4.941e-324"}, real_case{1e-310, 10, 10, false, "1e-310"}));

INSTANTIATE_TEST_SUITE_P(exponent_form_digits, format_real_test,
                         testing::Values(
                             // the mantissa's digits are those of the 17-digit expansion, not of a
                             // quotient or product of doubles
                             real_case{518549745346012180905984.0, 15, 10, false, "5.185497453460122e23"},
                             real_case{2.7751144753424005e-16, 15, 10, false, "2.775114475342401e-16"},
                             real_case{-5.169903754332098e25, 15, 10, false, "-5.169903754332098e25"},
                             real_case{1.25e-20, 1, 10, false, "1.3e-20"},
                             real_case{-1.25e20, 1, 10, false, "-1.3e20"},
                             real_case{1e23, 15, 10, false, "1e23"}, real_case{1e22, 15, 10, false, "1e22"},
                             real_case{1e-5, 15, 3, false, "1e-5"}, real_case{3e-5, 15, 3, false, "3e-5"},
                             // a mantissa that rounds to exactly the threshold stands for it: the
                             // fixed form, as the threshold itself shows
                             real_case{100.4, 0, 3, false, "100"}, real_case{100.04, 2, 3, false, "100.04"},
                             real_case{-1000000000.3, 5, 10, true, "-1,000,000,000.3"},
                             real_case{0.0099999, 3, 3, false, "0.01"},
                             real_case{0.99999e-9, 3, 10, false, "0"},
                             real_case{-9.9999999999999e-10, 12, 10, false, "-0.000000001"}));

INSTANTIATE_TEST_SUITE_P(
    unusual_input, format_real_test,
    testing::Values(real_case{nan_value, 10, 10, false, "nan"}, real_case{-nan_value, 10, 10, false, "nan"},
                    real_case{infinity, 10, 10, false, "inf"}, real_case{-infinity, 10, 10, true, "-inf"},
                    real_case{infinity, 10, -1, false, "inf"},
                    // decimals outside 0-15 fall back to 10, as the settings file's do
                    real_case{2.5, -3, 10, false, "2.5"},
                    real_case{1.0 / 3.0, 16, 10, false, "0.3333333333"},
                    // exponent digits outside 2-15 fall back to 10 (-1 kept)
                    real_case{150.0, 10, 0, false, "150"}, real_case{150.0, 10, -7, false, "150"},
                    real_case{1e15, 10, 1000, false, "1e15"},
                    real_case{1e14, 10, 16, false, "1e14"}, real_case{5e-324, 10, -1, false, "0"},
                    real_case{1e-5, 15, -1, false, "0.00001"}));

TEST(format_real_extremes, fixed_form_of_the_largest_double_has_every_integer_digit) {
    std::string text = cal::format_real(DBL_MAX, 15, -1, false);
    ASSERT_EQ(text.size(), 309u);
    EXPECT_EQ(text.substr(0, 17), "17976931348623157");
    EXPECT_EQ(text.find_first_not_of('0', 17), std::string::npos);
    std::string grouped = cal::format_real(-DBL_MAX, 15, -1, true);
    EXPECT_EQ(grouped.size(), 1u + 309u + 102u);
    EXPECT_EQ(grouped.substr(0, 8), "-179,769");
}

// ---------------------------------------------------------- format_angle_time

struct angle_case {
    double value;
    int decimals;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const angle_case& c) {
    return out << "format_angle_time(" << c.value << ", " << c.decimals << ") -> " << c.expected;
}

class format_angle_time_test : public testing::TestWithParam<angle_case> {};

TEST_P(format_angle_time_test, gives_degrees_minutes_and_seconds) {
    EXPECT_EQ(cal::format_angle_time(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    values, format_angle_time_test,
    testing::Values(angle_case{1.5, 10, "1:30:00"}, angle_case{1.51, 10, "1:30:36"},
                    angle_case{-1.5, 10, "-1:30:00"}, angle_case{0.25, 10, "0:15:00"},
                    angle_case{12.345678, 10, "12:20:44.4408"}, angle_case{1.99999999999, 10, "2:00:00"},
                    angle_case{0.0, 10, "0:00:00"}, angle_case{-0.0, 10, "0:00:00"},
                    angle_case{59.99999999999, 10, "60:00:00"}, angle_case{1.0 + 5.5 / 3600, 10, "1:00:05.5"},
                    angle_case{1.0 + 10.25 / 3600, 10, "1:00:10.25"}, angle_case{12.345678, 0, "12:20:44"},
                    angle_case{12.345678, 2, "12:20:44.44"}, angle_case{2147483647.0, 10, "2147483647:00:00"},
                    angle_case{-2147483647.0, 10, "-2147483647:00:00"}, angle_case{1e-300, 10, "0:00:00"},
                    angle_case{5e-324, 10, "0:00:00"},
                    // exact minutes leave seconds a hair below zero: shown as 00
                    angle_case{1.0 + 46.0 / 60, 15, "1:46:00"},
                    angle_case{-(1.0 + 46.0 / 60), 15, "-1:46:00"}, angle_case{1.5, -4, "1:30:00"},
                    // a precision outside 0-15 falls back to 10, as in format_real
                    angle_case{12.345678, 40, "12:20:44.4408"}, angle_case{12.345678, 15, "12:20:44.440799999998212"}));

void expect_error(const std::function<void()>& call, const char* utf8_message) {
    try {
        call();
        ADD_FAILURE() << "no calculator_error for " << utf8_message;
    } catch (const cal::calculator_error& e) {
        EXPECT_EQ(e.what(), sjis(utf8_message)) << utf8_from_sjis(e.what());
        EXPECT_EQ(e.position, 0);
        EXPECT_EQ(e.length, 0);
    }
}

TEST(format_angle_time_range, raises_beyond_2147483647_and_for_non_finite_values) {
    const char* message = "角度/時間表現できる範囲を超えました。";
    for (double x :
         {3000000000.0, -3000000000.0, 2147483648.0, -2147483648.0, 1e308, infinity, -infinity, nan_value})
        expect_error([x] { cal::format_angle_time(x, 10); }, message);
}

// -------------------------------------------------------------- radix forms

struct radix_case {
    std::string (*format)(double);
    double value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const radix_case& c) {
    return out << c.value << " -> " << c.expected;
}

class format_radix_test : public testing::TestWithParam<radix_case> {};

TEST_P(format_radix_test, shows_the_low_32_bits) {
    EXPECT_EQ(GetParam().format(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    values, format_radix_test,
    testing::Values(
        radix_case{cal::format_binary, 5.0, "0b101"}, radix_case{cal::format_binary, 0.0, "0b0"},
        radix_case{cal::format_binary, 2.9, "0b10"},
        radix_case{cal::format_binary, -1.0, "0b11111111111111111111111111111111"},
        radix_case{cal::format_binary, -2147483648.0, "0b10000000000000000000000000000000"},
        radix_case{cal::format_binary, -0.5, "0b0"}, radix_case{cal::format_octal, 8.0, "0o10"},
        radix_case{cal::format_octal, 0.0, "0o0"}, radix_case{cal::format_octal, -1.0, "0o37777777777"},
        radix_case{cal::format_octal, 4294967295.0, "0o37777777777"},
        radix_case{cal::format_hex, 255.0, "0xFF"}, radix_case{cal::format_hex, -1.0, "0xFFFFFFFF"},
        radix_case{cal::format_hex, 4294967295.0, "0xFFFFFFFF"}, radix_case{cal::format_hex, 0.0, "0x0"},
        radix_case{cal::format_hex, 3735928559.0, "0xDEADBEEF"},
        radix_case{cal::format_hex, -3000000000.0, "0x4D2FA200"}, // below -2^31: low 32 bits
        // no lower bound: far below the 64-bit range truncation gives INT64_MIN, low bits 0
        radix_case{cal::format_hex, -1e300, "0x0"}, radix_case{cal::format_hex, -infinity, "0x0"},
        radix_case{cal::format_binary, -infinity, "0b0"}, radix_case{cal::format_octal, -infinity, "0o0"},
        radix_case{cal::format_hex, 5e-324, "0x0"}));

TEST(format_radix_range, raises_above_4294967295_and_for_nan_and_infinity) {
    for (double x : {4294967296.0, 4294967295.5, 1e308, infinity, nan_value}) {
        expect_error([x] { cal::format_binary(x); }, "2進数で表現できる範囲を超えました。");
        expect_error([x] { cal::format_octal(x); }, "8進数で表現できる範囲を超えました。");
        expect_error([x] { cal::format_hex(x); }, "16進数で表現できる範囲を超えました。");
    }
}

} // namespace

// ------------------------------------------------ the same text on every platform

namespace {

std::uint64_t fnv1a(std::uint64_t hash, const std::string& text) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// A digest of the texts of many values in every form and setting: the
// expected number is the one glibc gives, and the Windows build under Wine
// must give the same (MinGW's own printf would not).
std::uint64_t formatter_digest() {
    std::uint64_t hash = 14695981039346656037ull;
    std::uint64_t state = 88172645463325252ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 6000; ++i) {
        std::uint64_t bits = next();
        double value;
        if (i % 3 == 0) {
            std::memcpy(&value, &bits, sizeof value); // any bit pattern
        } else if (i % 3 == 1) {
            // a "typed" decimal: integer / power of ten
            // (literal powers: std::pow itself differs between the C libraries)
            static constexpr double powers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
            value = static_cast<double>(static_cast<std::int64_t>(bits % 2000000001) - 1000000000) /
                    powers[bits >> 60];
        } else {
            value = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 200) - 200);
        }
        int decimals = static_cast<int>(next() % 16);
        int exponent_digits = 2 + static_cast<int>(next() % 14);
        hash = fnv1a(hash, cal::format_real(value, decimals, exponent_digits, i % 2 == 0));
        hash = fnv1a(hash, cal::format_real(value, decimals, -1, false).substr(0, 40));
        try {
            hash = fnv1a(hash, cal::format_angle_time(value, decimals));
        } catch (const cal::calculator_error&) {
            hash = fnv1a(hash, "angle error");
        }
        try {
            hash = fnv1a(hash, cal::format_hex(value) + cal::format_octal(value) + cal::format_binary(value));
        } catch (const cal::calculator_error&) {
            hash = fnv1a(hash, "radix error");
        }
    }
    return hash;
}

} // namespace

TEST(formatter_platforms, texts_are_the_same_as_with_glibc) {
    EXPECT_EQ(formatter_digest(), 4097488943211489624ull);
}
