#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/token.h"
#include "engine/variable_table.h"

namespace cal {

// Single-token recogniser. Does not skip blanks. On success sets
// result.text (a view into text) and result.kind, result.position = the start
// offset, advances cursor past the token and returns true; on failure returns
// false with cursor unchanged (at the token's first character).
bool recognize_token(std::string_view text, std::size_t& cursor, token& result);

// Cuts expression into tokens (appended to out, which is cleared first).
// Raises calculator_error ("式が空です。", unrecognised character).
void tokenize(std::string_view expression, std::vector<token>& out);
std::vector<token> tokenize(std::string_view expression);

// Value of an operand token (a literal, or an identifier, which reads
// variables); any other kind yields 0. Raises calculator_error for literal and
// variable errors.
double operand_value(const token& operand, const variable_table& variables);

// Character classes (ASCII only).
inline constexpr bool is_blank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
inline constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline constexpr bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline constexpr bool is_number_char(char c) { return is_digit(c) || c == '.' || c == ':'; }
inline constexpr bool is_name_start(char c) { return is_letter(c) || c == '_'; }
inline constexpr bool is_name_char(char c) { return is_name_start(c) || is_digit(c); }
inline constexpr bool is_operator_char(char c) {
    switch (c) {
    case '!':
    case '%':
    case '&':
    case '*':
    case '+':
    case ',':
    case '-':
    case '/':
    case '<':
    case '=':
    case '>':
    case '^':
    case '|':
    case '~': return true;
    default: return false;
    }
}

} // namespace cal
