#include "engine/trigonometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// The values a correctly rounding library gives; the answers near zero and
// those of large arguments are the ones an inexact reduction gets wrong.
struct trig_case {
    const char* name;
    double (*function)(double);
    double argument;
    double expected;
};

constexpr double half_pi = 1.5707963267948966;
constexpr double pi = 3.141592653589793;

const trig_case cases[] = {
    {"cos(pi/2)", cal::precise_cos, half_pi, 6.123233995736766e-17},
    {"cos(-pi/2)", cal::precise_cos, -half_pi, 6.123233995736766e-17},
    {"sin(pi)", cal::precise_sin, pi, 1.2246467991473532e-16},
    {"sin(2pi)", cal::precise_sin, 2 * pi, -2.4492935982947064e-16},
    {"cos(3pi/2)", cal::precise_cos, 3 * half_pi, -1.8369701987210297e-16},
    {"tan(pi/2)", cal::precise_tan, half_pi, 1.633123935319537e16},
    {"tan(pi)", cal::precise_tan, pi, -1.2246467991473532e-16},
    {"sin(pi/6)", cal::precise_sin, pi / 6, 0.49999999999999994},
    {"cos(pi/3)", cal::precise_cos, pi / 3, 0.5000000000000001},
    {"tan(pi/4)", cal::precise_tan, pi / 4, 0.9999999999999999},
    {"sin(1e5)", cal::precise_sin, 1e5, 0.03574879797201651},
    {"cos(1e5)", cal::precise_cos, 1e5, -0.9993608074382124},
    {"sin(2^32)", cal::precise_sin, 4294967296.0, -0.4619865795138349},
    {"cos(1e22)", cal::precise_cos, 1e22, 0.523214785395139},
    {"sin(1e300)", cal::precise_sin, 1e300, -0.8178819121159085},
};

class trigonometry_test : public testing::TestWithParam<trig_case> {};

TEST_P(trigonometry_test, agrees_with_a_correctly_rounding_library_to_an_ulp_or_two) {
    const trig_case& c = GetParam();
    double actual = c.function(c.argument);
    EXPECT_NEAR(actual, c.expected, 4 * std::fabs(std::nextafter(c.expected, 0.0) - c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(values, trigonometry_test, testing::ValuesIn(cases));

TEST(trigonometry, non_finite_arguments_give_nan) {
    EXPECT_TRUE(std::isnan(cal::precise_sin(INFINITY)));
    EXPECT_TRUE(std::isnan(cal::precise_cos(NAN)));
    EXPECT_TRUE(std::isfinite(cal::precise_tan(1e300)));
    EXPECT_EQ(cal::precise_sin(0.0), 0.0);
}

} // namespace
