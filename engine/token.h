#pragma once
#include <cstdint>
#include <string_view>

namespace cal {

// Token kinds. 0-25 are the operator_table rows; 34-53 are resolved
// built-in functions (34 + row), 54 + k the k-th user function.
namespace token_kind {
inline constexpr std::int32_t operator_first = 0;
inline constexpr std::int32_t operator_last = 25;
inline constexpr std::int32_t power = 0;
inline constexpr std::int32_t unary_plus = 1;
inline constexpr std::int32_t unary_minus = 2;
inline constexpr std::int32_t logical_not = 3;
inline constexpr std::int32_t bitwise_not = 4;
inline constexpr std::int32_t multiply = 5;
inline constexpr std::int32_t implicit_multiply = 6;
inline constexpr std::int32_t divide = 7;
inline constexpr std::int32_t remainder = 8;
inline constexpr std::int32_t add = 9;
inline constexpr std::int32_t subtract = 10;
inline constexpr std::int32_t shift_left = 11;
inline constexpr std::int32_t shift_right = 12;
inline constexpr std::int32_t less = 13;
inline constexpr std::int32_t greater = 14;
inline constexpr std::int32_t less_equal = 15;
inline constexpr std::int32_t greater_equal = 16;
inline constexpr std::int32_t equal = 17;
inline constexpr std::int32_t not_equal = 18;
inline constexpr std::int32_t bit_and = 19;
inline constexpr std::int32_t bit_xor = 20;
inline constexpr std::int32_t bit_or = 21;
inline constexpr std::int32_t logical_and = 22;
inline constexpr std::int32_t logical_or = 23;
inline constexpr std::int32_t assign = 24;
inline constexpr std::int32_t comma = 25;
inline constexpr std::int32_t close_paren = 26;
inline constexpr std::int32_t open_paren = 27;
inline constexpr std::int32_t decimal_literal = 28;
inline constexpr std::int32_t binary_literal = 29;
inline constexpr std::int32_t octal_literal = 30;
inline constexpr std::int32_t hex_literal = 31;
inline constexpr std::int32_t angle_time_literal = 32;
inline constexpr std::int32_t identifier = 33;
inline constexpr std::int32_t function_name = 34;
inline constexpr std::int32_t builtin_function_first = 34;
inline constexpr std::int32_t user_function_first = 54;
} // namespace token_kind

inline constexpr bool is_operator_kind(std::int32_t kind) { return kind >= 0 && kind <= 25; }
inline constexpr bool is_operand_kind(std::int32_t kind) { return kind >= 28 && kind <= 33; }
inline constexpr bool is_function_kind(std::int32_t kind) { return kind >= 34; }

// One lexical element. text views the expression text (or, for the implicit
// "*", a static literal); the expression must outlive the token.
struct token {
    std::string_view text;
    std::int32_t kind = 0;
    std::int32_t position = 0;
};

} // namespace cal
