#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cal {

// Token kinds. The operators are numbered by their operator_table rows; a name
// followed by "(" is function_name until prepare_tokens resolves it to the
// kind of a built-in row (builtin_function_kind) or of a user function
// (user_function_kind), numbered on from function_name.
enum class token_kind : std::int32_t {
    power = 0,
    unary_plus,
    unary_minus,
    logical_not,
    bitwise_not,
    multiply,
    implicit_multiply,
    divide,
    remainder,
    add,
    subtract,
    shift_left,
    shift_right,
    less,
    greater,
    less_equal,
    greater_equal,
    equal,
    not_equal,
    bit_and,
    bit_xor,
    bit_or,
    logical_and,
    logical_or,
    assign,
    comma,
    close_paren,
    open_paren,
    decimal_literal,
    binary_literal,
    octal_literal,
    hex_literal,
    angle_time_literal,
    identifier,
    function_name,
};

inline constexpr std::int32_t number_of(token_kind kind) { return static_cast<std::int32_t>(kind); }

inline constexpr std::int32_t builtin_function_first = number_of(token_kind::function_name);
inline constexpr std::int32_t user_function_first = builtin_function_first + 20;

inline constexpr bool is_operator_kind(token_kind kind) {
    return kind >= token_kind::power && kind <= token_kind::comma;
}
inline constexpr bool is_operand_kind(token_kind kind) {
    return kind >= token_kind::decimal_literal && kind <= token_kind::identifier;
}
inline constexpr bool is_function_kind(token_kind kind) { return kind >= token_kind::function_name; }
inline constexpr bool is_user_function_kind(token_kind kind) {
    return number_of(kind) >= user_function_first;
}

// The resolved kinds of built-in row `row` and of the k-th user function, and
// back from a resolved kind to its row or index.
inline constexpr token_kind builtin_function_kind(int row) {
    return static_cast<token_kind>(builtin_function_first + row);
}
inline constexpr token_kind user_function_kind(std::size_t k) {
    return static_cast<token_kind>(user_function_first + static_cast<std::int32_t>(k));
}
inline constexpr std::size_t builtin_row_of(token_kind kind) {
    return static_cast<std::size_t>(number_of(kind) - builtin_function_first);
}
inline constexpr std::size_t user_function_index_of(token_kind kind) {
    return static_cast<std::size_t>(number_of(kind) - user_function_first);
}

// One lexical element. text views the expression text (or, for the implicit
// "*", a static literal); the expression must outlive the token.
struct token {
    std::string_view text;
    token_kind kind = token_kind::power;
    std::int32_t position = 0;
};

} // namespace cal
