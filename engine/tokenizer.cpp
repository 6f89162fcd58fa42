#include "engine/tokenizer.h"

#include <charconv>
#include <cmath>
#include <string>

#include "engine/calculator_error.h"
#include "engine/messages.h"
#include "engine/operator_table.h"

namespace cal {

namespace {

std::int32_t to_i32(std::size_t value) { return static_cast<std::int32_t>(value); }

[[noreturn]] void raise(std::string message, const token& t) {
    throw calculator_error(message, t.position, to_i32(t.text.size()));
}

} // namespace

bool recognize_token(std::string_view text, std::size_t& cursor, token& result) {
    const std::size_t n = text.size();
    const std::size_t start = cursor;
    if (start >= n)
        return false;
    const char c = text[start];
    std::size_t i = start;
    token_kind kind;
    if (c == '(' || c == ')') {
        kind = c == '(' ? token_kind::open_paren : token_kind::close_paren;
        i = start + 1;
    } else if (is_number_char(c)) {
        char next = start + 1 < n ? text[start + 1] : '\0';
        if (c == '0' &&
            (next == 'b' || next == 'B' || next == 'o' || next == 'O' || next == 'x' || next == 'X')) {
            kind = (next == 'b' || next == 'B')   ? token_kind::binary_literal
                   : (next == 'o' || next == 'O') ? token_kind::octal_literal
                                                  : token_kind::hex_literal;
            i = start + 2;
            while (i < n && (is_letter(text[i]) || is_digit(text[i])))
                ++i;
        } else {
            bool colon = false;
            bool dot = false;
            while (i < n && is_number_char(text[i])) {
                if (text[i] == '.') {
                    if (dot)
                        break;
                    dot = true;
                } else if (text[i] == ':') {
                    colon = true;
                }
                ++i;
            }
            if (!colon && i < n && (text[i] == 'e' || text[i] == 'E')) {
                ++i;
                if (i < n && (text[i] == '+' || text[i] == '-'))
                    ++i;
                while (i < n && is_digit(text[i]))
                    ++i;
            }
            kind = colon ? token_kind::angle_time_literal : token_kind::decimal_literal;
        }
    } else if (is_name_start(c)) {
        while (i < n && is_name_char(text[i]))
            ++i;
        kind = (i < n && text[i] == '(') ? token_kind::function_name : token_kind::identifier;
    } else if (is_operator_char(c)) {
        // Every symbol has one or two characters, so shortening the maximal
        // run finds the same row as starting from its first two characters;
        // looking no further keeps a long run of operators linear.
        while (i < n && i - start < 2 && is_operator_char(text[i]))
            ++i;
        bool found = false;
        while (true) {
            const std::size_t length = i - start;
            for (std::int32_t row = 0; row < operator_count && !found; ++row) {
                const char* symbol = operator_table[static_cast<std::size_t>(row)].symbol;
                if (symbol[0] == text[start] &&
                    (length == 1 ? symbol[1] == '\0' : (symbol[1] == text[start + 1] && symbol[2] == '\0'))) {
                    kind = static_cast<token_kind>(row);
                    found = true;
                }
            }
            if (found || length == 1)
                break;
            --i;
        }
        if (!found) // cannot happen: every single operator character is a symbol
            return false;
    } else {
        return false;
    }
    result.text = text.substr(start, i - start);
    result.kind = kind;
    result.position = to_i32(start);
    cursor = i;
    return true;
}

// The character the message quotes: both bytes of a double-byte character,
// so that the user reads the character typed rather than half of it.
static std::string_view unrecognised_character(std::string_view expression, std::size_t at) {
    const auto lead = static_cast<unsigned char>(expression[at]);
    const bool double_byte_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (double_byte_lead && at + 1 < expression.size()) {
        const auto trail = static_cast<unsigned char>(expression[at + 1]);
        if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
            return expression.substr(at, 2);
    }
    return expression.substr(at, 1);
}

void tokenize(std::string_view expression, std::vector<token>& out) {
    out.clear();
    const std::size_t n = expression.size();
    std::size_t cursor = 0;
    while (true) {
        while (cursor < n && is_blank(expression[cursor]))
            ++cursor;
        if (cursor >= n) {
            if (!out.empty())
                return;
            throw calculator_error(messages::empty_expression, 0, 0);
        }
        token t;
        if (!recognize_token(expression, cursor, t)) {
            std::string message = messages::unrecognised_prefix;
            message += unrecognised_character(expression, cursor);
            message += messages::unrecognised_suffix;
            throw calculator_error(message, to_i32(cursor), 1);
        }
        out.push_back(t);
    }
}

std::vector<token> tokenize(std::string_view expression) {
    std::vector<token> out;
    tokenize(expression, out);
    return out;
}

namespace {

// Longest-valid-prefix conversion in the manner of strtod on text made only of
// digits, '.', and e/E with an optional sign (no blanks, no sign in front, no
// hex, no inf/nan), computed identically on every platform by from_chars.
// out_of_range is set when the exact value overflows or underflows.
double parse_decimal_prefix(std::string_view text, bool& out_of_range) {
    out_of_range = false;
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::general);
    if (ec == std::errc::invalid_argument)
        return 0; // no digits: "" or "."
    if (ec == std::errc::result_out_of_range) {
        out_of_range = true;
        // Overflow or underflow? Decide from the decimal magnitude: the place of
        // the first non-zero digit relative to the point, plus the exponent.
        std::string_view used = text.substr(0, static_cast<std::size_t>(ptr - text.data()));
        std::size_t e = used.find_first_of("eE");
        std::string_view mantissa = used.substr(0, e);
        std::size_t point = mantissa.find('.');
        if (point == std::string_view::npos)
            point = mantissa.size();
        long long magnitude = 0; // decimal exponent of the first non-zero digit, plus one
        for (std::size_t k = 0; k < mantissa.size(); ++k) {
            if (mantissa[k] >= '1' && mantissa[k] <= '9') {
                magnitude = k < point ? static_cast<long long>(point - k)
                                      : -static_cast<long long>(k - point - 1);
                break;
            }
        }
        long long exponent = 0;
        if (e != std::string_view::npos) {
            std::size_t k = e + 1;
            bool negative = false;
            if (k < used.size() && (used[k] == '+' || used[k] == '-'))
                negative = used[k++] == '-';
            for (; k < used.size(); ++k)
                if (exponent < 1000000000LL)
                    exponent = exponent * 10 + (used[k] - '0');
            if (negative)
                exponent = -exponent;
        }
        if (magnitude + exponent <= 0)
            return 0; // underflow
        return HUGE_VAL;
    }
    return value;
}

bool has_nonzero_mantissa_digit(std::string_view text) {
    for (char ch : text) {
        if (ch == 'e' || ch == 'E')
            break;
        if (ch >= '1' && ch <= '9')
            return true;
    }
    return false;
}

double decimal_value(const token& t) {
    // Fast path: up to 15 decimal digits are exact in a double.
    if (t.text.size() <= 15) {
        std::uint64_t integer = 0;
        bool digits_only = true;
        for (char ch : t.text) {
            if (!is_digit(ch)) {
                digits_only = false;
                break;
            }
            integer = integer * 10 + static_cast<std::uint64_t>(ch - '0');
        }
        if (digits_only)
            return static_cast<double>(integer);
    }
    bool out_of_range = false;
    double value = parse_decimal_prefix(t.text, out_of_range);
    if (out_of_range || std::isinf(value) || std::fpclassify(value) == FP_SUBNORMAL ||
        (value == 0 && has_nonzero_mantissa_digit(t.text)))
        raise(messages::number_out_of_range, t);
    return value;
}

int digit_value(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

double radix_value(const token& t) {
    int base;
    const char* suffix;
    switch (t.kind) {
    case token_kind::binary_literal:
        base = 2;
        suffix = messages::bad_binary_suffix;
        break;
    case token_kind::octal_literal:
        base = 8;
        suffix = messages::bad_octal_suffix;
        break;
    default:
        base = 16;
        suffix = messages::bad_hex_suffix;
        break;
    }
    std::string_view digits = t.text.substr(2);
    if (digits.empty()) {
        std::string message = messages::radix_no_digit_prefix;
        message += t.text[1];
        message += messages::radix_no_digit_suffix;
        raise(message, t);
    }
    for (char c : digits) {
        if (digit_value(c) >= base) {
            std::string message = messages::bad_digit_prefix;
            message += c;
            message += suffix;
            raise(message, t);
        }
    }
    const std::size_t n = digits.size();
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Literally digit x base^(n-1-i), also for a zero digit: an over-long
        // literal whose power overflows sums 0 x infinity, NaN, on purpose, so
        // that such a literal never passes for a finite number.
        const int d = digit_value(digits[i]);
        sum += d * std::pow(static_cast<double>(base), static_cast<double>(n - 1 - i));
    }
    return sum;
}

double angle_time_value(const token& t) {
    double sum = 0;
    double divisor = 1;
    std::size_t segment = 0;
    std::size_t begin = 0;
    std::string_view text = t.text;
    while (true) {
        std::size_t colon = text.find(':', begin);
        std::size_t end = colon == std::string_view::npos ? text.size() : colon;
        if (segment > 2)
            raise(messages::bad_angle_time, t);
        bool unused = false;
        sum += parse_decimal_prefix(text.substr(begin, end - begin), unused) / divisor;
        if (colon == std::string_view::npos)
            break;
        ++segment;
        divisor *= 60;
        begin = colon + 1;
    }
    return sum;
}

} // namespace

double operand_value(const token& t, const variable_table& variables) {
    switch (t.kind) {
    case token_kind::decimal_literal: return decimal_value(t);
    case token_kind::binary_literal:
    case token_kind::octal_literal:
    case token_kind::hex_literal: return radix_value(t);
    case token_kind::angle_time_literal: return angle_time_value(t);
    case token_kind::identifier: {
        double value = 0;
        if (!variables.get(t.text, value)) {
            std::string message = messages::undefined_variable_prefix;
            message += t.text;
            message += messages::undefined_variable_suffix;
            raise(message, t);
        }
        return value;
    }
    default: return 0;
    }
}

} // namespace cal
