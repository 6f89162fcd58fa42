#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/token.h"

namespace cal {

// One row of the operator table; the row number is the token kind.
struct operator_entry {
    const char* symbol;
    bool right_associative;
    std::int32_t level; // smaller binds tighter
};

inline constexpr std::array<operator_entry, 26> operator_table{{
    {"**", true, 3},  {"+", true, 2},   {"-", true, 2},    {"!", true, 2},    {"~", true, 2},
    {"*", false, 4},  {"*", false, 3},  {"/", false, 4},   {"%", false, 4},   {"+", false, 5},
    {"-", false, 5},  {"<<", false, 6}, {">>", false, 6},  {"<", false, 7},   {">", false, 7},
    {"<=", false, 7}, {">=", false, 7}, {"==", false, 7},  {"!=", false, 7},  {"&", false, 9},
    {"^", false, 9},  {"|", false, 9},  {"&&", false, 10}, {"||", false, 10}, {"=", true, 11},
    {",", false, 12},
}};

inline constexpr std::int32_t operator_count = 26;

// The row of an operator kind.
inline constexpr const operator_entry& operator_of(token_kind kind) {
    return operator_table[static_cast<std::size_t>(kind)];
}

} // namespace cal
