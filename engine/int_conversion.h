#pragma once
#include <cmath>
#include <cstdint>

namespace cal {

// Truncation of a double toward zero to a signed 64-bit integer, defined for
// every double: NaN and values outside the 64-bit range give INT64_MIN, which
// is what the x86 truncating conversion produces.
inline std::int64_t truncate_to_int64(double value) {
    constexpr double two_to_63 = 9223372036854775808.0;
    if (!(value >= -two_to_63 && value < two_to_63)) // true for NaN too
        return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

// The low 32 bits of truncate_to_int64, as a signed 32-bit integer: the operand
// of the integer operators.
inline std::int32_t to_int32(double value) {
    auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(truncate_to_int64(value)));
    return static_cast<std::int32_t>(low);
}

// The low 32 bits of truncate_to_int64, unsigned: what the radix forms show.
inline std::uint32_t to_uint32(double value) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(truncate_to_int64(value)));
}

} // namespace cal
