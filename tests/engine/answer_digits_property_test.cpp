// The real form's digits over random doubles, every precision and every
// exponent setting, against a reference built on exact decimal arithmetic
// (integers and digit strings, no double division or product); and the answer
// a user sees does not move when "ans" is committed again and again.
#include "engine/answer_format.h"
#include "engine/formatter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace {

// ------------------------------------------------------------ the reference

// x (finite, > 0) to 17 significant digits: x ~ digits * 10^scale, exactly.
struct exact_decimal {
    std::uint64_t digits = 0; // 10^16 <= digits < 10^17
    int scale = 0;
};

exact_decimal seventeen_digits(double x) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 16);
    exact_decimal d;
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.')
            d.digits = d.digits * 10 + static_cast<std::uint64_t>(*p - '0');
    int exponent = 0;
    ++p;
    if (p < result.ptr && *p == '+')
        ++p;
    std::from_chars(p, result.ptr, exponent);
    d.scale = exponent - 16;
    return d;
}

std::uint64_t power_of_ten_integer(int n) {
    std::uint64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The value rounded half up to a whole multiple of 10^unit: the multiple's
// decimal digits.
std::string multiple_of_power(const exact_decimal& v, int unit) {
    if (v.scale >= unit)
        return std::to_string(v.digits) + std::string(static_cast<std::size_t>(v.scale - unit), '0');
    int dropped = unit - v.scale;
    if (dropped > 18) // 10^dropped > 2 * digits
        return "0";
    std::uint64_t divisor = power_of_ten_integer(dropped);
    std::uint64_t quotient = v.digits / divisor;
    if (2 * (v.digits % divisor) >= divisor)
        ++quotient;
    return std::to_string(quotient);
}

// multiple * 10^-decimals as the calculator writes it: no trailing zeros after
// the point, no point without digits after it.
std::string decimal_text(std::string multiple, int decimals, bool grouping) {
    const std::size_t places = static_cast<std::size_t>(decimals);
    if (multiple.size() <= places)
        multiple.insert(0, places + 1 - multiple.size(), '0');
    std::string whole = multiple.substr(0, multiple.size() - places);
    std::string fraction = multiple.substr(multiple.size() - places);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (grouping)
        for (std::size_t i = whole.size(); i > 3; i -= 3)
            whole.insert(i - 3, ",");
    return fraction.empty() ? whole : whole + "." + fraction;
}

// The double that "1e<n>" reads as (0 below the subnormals, infinity above
// the largest double).
double power_of_ten(int n) {
    std::string text = "1e" + std::to_string(n);
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return n > 0 ? HUGE_VAL : 0.0;
    return value;
}

std::string reference_text(double x, int decimals, int exponent_digits, bool grouping) {
    if (x == 0)
        return "0";
    const bool negative = x < 0;
    const double magnitude = std::fabs(x);
    const exact_decimal v = seventeen_digits(magnitude);
    std::string text;
    if (exponent_digits != -1 &&
        (magnitude > power_of_ten(exponent_digits - 1) || magnitude < power_of_ten(1 - exponent_digits))) {
        // the exponent: the largest t whose double power of ten is <= x
        int t = v.scale + 16;
        while (power_of_ten(t + 1) <= magnitude)
            ++t;
        while (power_of_ten(t) > magnitude)
            --t;
        std::string mantissa = multiple_of_power(v, t - decimals);
        if (mantissa == "1" + std::string(static_cast<std::size_t>(decimals) + 1, '0')) {
            ++t; // rounded up to 10
            mantissa.pop_back();
        }
        const bool threshold = mantissa == "1" + std::string(static_cast<std::size_t>(decimals), '0') &&
                               (t == exponent_digits - 1 || t == 1 - exponent_digits);
        if (!threshold)
            text = decimal_text(mantissa, decimals, false) + "e" + std::to_string(t);
    }
    if (text.empty())
        text = decimal_text(multiple_of_power(v, -decimals), decimals, grouping);
    return negative && text != "0" ? "-" + text : text;
}

// x in the fewest digits that read back as x, for failure messages.
std::string shortest(double x) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

// Significant digits of a shown real answer (zeros at either end are not).
int significant_digits(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c == 'e')
            break;
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    }
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

TEST(answer_digits_reference, gives_the_texts_worked_out_by_hand) {
    EXPECT_EQ(reference_text(518549745346012180905984.0, 15, 10, false), "5.185497453460122e23");
    EXPECT_EQ(reference_text(2.7751144753424005e-16, 15, 10, false), "2.775114475342401e-16");
    EXPECT_EQ(reference_text(9.9999999999999999e22, 10, 10, false), "1e23");
    EXPECT_EQ(reference_text(-1234567.891, 3, 10, true), "-1,234,567.891");
    EXPECT_EQ(reference_text(0.0000000000015, 10, 10, false), "1.5e-12");
    EXPECT_EQ(reference_text(-0.001, 2, 10, false), "0");
    EXPECT_EQ(reference_text(5e-324, 3, 10, false), "4.941e-324");
    EXPECT_EQ(reference_text(100.4, 0, 3, false), "100");
    EXPECT_EQ(significant_digits("-1,200.0340e-5"), 7);
}

// ------------------------------------------------------------ random values

class value_source {
public:
    double next() {
        const std::uint64_t bits = random();
        switch (count_++ % 4) {
        case 0: { // any finite bit pattern
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return std::isfinite(value) ? value : 1.0 / 3.0;
        }
        case 1: // full 53-bit mantissas around the usual magnitudes
            return std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 160) - 133) *
                   (bits & 1 ? -1 : 1);
        case 2: { // a typed decimal: few digits, any power of ten
            std::string text = std::to_string(bits %
                                              power_of_ten_integer(1 + static_cast<int>(bits >> 60) % 8)) +
                               "e" + std::to_string(static_cast<int>(random() % 41) - 20);
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            return value;
        }
        default: { // a few steps from a power of ten, where forms and exponents change
            double value = power_of_ten(static_cast<int>(bits % 41) - 20);
            for (int steps = static_cast<int>(bits >> 61); steps > 0; --steps)
                value = std::nextafter(value, bits & 8 ? 0.0 : HUGE_VAL);
            return value;
        }
        }
    }

private:
    std::uint64_t random() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
    int count_ = 0;
};

constexpr int value_count = 240;
constexpr int failures_shown = 20;

TEST(answer_digits_property, every_precision_and_exponent_setting_gives_the_exact_digits) {
    value_source values;
    int failures = 0;
    for (int i = 0; i < value_count && failures < failures_shown; ++i) {
        const double x = values.next();
        for (int decimals = 0; decimals <= 15; ++decimals)
            for (int exponent_digits = 1; exponent_digits <= 15; ++exponent_digits) {
                const int e = exponent_digits == 1 ? -1 : exponent_digits; // -1: never the exponent form
                const bool grouping = (i + decimals) % 3 == 0;
                const std::string expected = reference_text(x, decimals, e, grouping);
                const std::string shown = cal::format_real(x, decimals, e, grouping);
                if (shown != expected && ++failures <= failures_shown)
                    ADD_FAILURE() << "format_real(" << shortest(x) << ", " << decimals << ", " << e << ", "
                                  << grouping << ") gave " << shown << ", exact digits give " << expected;
            }
    }
}

// Committing "ans" shows the answer again. A text of up to 15 (or of 17 and
// more) significant digits reads back as a double that shows the same text;
// with 16, two texts can share one double, so the text may change once and
// then stays.
TEST(answer_digits_property, recommitting_ans_never_moves_the_shown_text) {
    value_source values;
    int failures = 0;
    for (int i = 0; i < value_count && failures < failures_shown; ++i) {
        const double x = values.next();
        for (int decimals = 0; decimals <= 15; ++decimals)
            for (int exponent_digits = 2; exponent_digits <= 15; ++exponent_digits) {
                cal::answer_options options;
                options.precision = decimals;
                options.exp_translate = exponent_digits;
                options.comma = (i + exponent_digits) % 2 == 0;
                std::string texts[4];
                double value = x;
                for (std::string& text : texts) {
                    text = cal::format_answer(value, options);
                    value = cal::ans_value(value, text, options);
                }
                const bool settled = significant_digits(texts[0]) == 16
                                         ? texts[2] == texts[1] && texts[3] == texts[1]
                                         : texts[1] == texts[0] && texts[2] == texts[0] &&
                                               texts[3] == texts[0];
                if (!settled && ++failures <= failures_shown)
                    ADD_FAILURE() << shortest(x) << ", precision " << decimals << ", exp " << exponent_digits
                                  << ": " << texts[0] << " -> " << texts[1] << " -> " << texts[2] << " -> "
                                  << texts[3];
            }
    }
}

// ------------------------------------------------------------ worked examples

struct chain_case {
    double value;
    int precision;
    int exp_translate;
    const char* shown; // the first answer and every re-committed one
};

std::ostream& operator<<(std::ostream& out, const chain_case& c) {
    return out << c.value << " (precision " << c.precision << ", exp " << c.exp_translate << ") -> "
               << c.shown;
}

class recommitted_ans : public testing::TestWithParam<chain_case> {};

TEST_P(recommitted_ans, keeps_the_shown_text) {
    cal::answer_options options;
    options.precision = GetParam().precision;
    options.exp_translate = GetParam().exp_translate;
    double value = GetParam().value;
    for (int commit = 0; commit < 4; ++commit) {
        std::string shown = cal::format_answer(value, options);
        EXPECT_EQ(shown, GetParam().shown) << "commit " << commit;
        value = cal::ans_value(value, shown, options);
    }
}

INSTANTIATE_TEST_SUITE_P(
    examples, recommitted_ans,
    testing::Values(
        // a double division used to take one off the last digit at each commit
        chain_case{-5.169903754332098e25, 15, 10, "-5.169903754332098e25"},
        chain_case{518549745346012180905984.0, 15, 10, "5.185497453460122e23"},
        chain_case{2.7751144753424005e-16, 15, 10, "2.775114475342401e-16"},
        chain_case{9.9999999999999999e22, 10, 10, "1e23"},
        // a mantissa that rounds to the threshold itself: the fixed form, as for the threshold
        chain_case{100.4, 0, 3, "100"}, chain_case{100.04, 2, 3, "100.04"},
        chain_case{1000000000.3, 5, 10, "1000000000.3"}, chain_case{0.99999e-9, 3, 10, "0"},
        chain_case{9.9999999999999e-10, 12, 10, "0.000000001"}, chain_case{0.0099999, 3, 3, "0.01"}));

} // namespace
