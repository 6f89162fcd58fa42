#include "engine/int_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct int32_case {
    double value;
    std::int32_t expected;
};

class to_int32_test : public testing::TestWithParam<int32_case> {};

TEST_P(to_int32_test, keeps_the_low_32_bits_of_the_truncated_value) {
    EXPECT_EQ(cal::to_int32(GetParam().value), GetParam().expected);
}

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(values, to_int32_test,
                         testing::Values(int32_case{0.0, 0}, int32_case{3.9, 3}, int32_case{-3.9, -3},
                                         int32_case{2147483647.0, 2147483647},
                                         int32_case{2147483648.0, INT32_MIN}, int32_case{4294967295.0, -1},
                                         int32_case{1e10, 1410065408}, int32_case{-2147483648.0, INT32_MIN},
                                         // Out of the 64-bit range: INT64_MIN, whose low 32 bits are 0.
                                         int32_case{1e300, 0}, int32_case{-1e300, 0},
                                         int32_case{nan_value, 0}, int32_case{infinity, 0},
                                         int32_case{-infinity, 0}, int32_case{9223372036854775808.0, 0}));

TEST(truncate_to_int64, maps_every_out_of_range_double_to_int64_min) {
    EXPECT_EQ(cal::truncate_to_int64(9223372036854775808.0), INT64_MIN);
    EXPECT_EQ(cal::truncate_to_int64(-9223372036854775808.0), INT64_MIN);
    EXPECT_EQ(cal::truncate_to_int64(9223372036854774784.0), 9223372036854774784LL);
    EXPECT_EQ(cal::truncate_to_int64(nan_value), INT64_MIN);
    EXPECT_EQ(cal::to_uint32(-1.0), 0xFFFFFFFFu);
    EXPECT_EQ(cal::to_uint32(2.9), 2u);
}

} // namespace
