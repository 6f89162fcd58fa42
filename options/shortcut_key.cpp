#include "options/shortcut_key.h"

#include <cstdio>
#include <limits>

std::string shortcut_key::to_text() const {
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d", static_cast<int>(code), static_cast<int>(key));
    return text;
}

shortcut_key shortcut_key::from_text(std::string_view text) {
    shortcut_key result;
    result.code = leading_integer(text);
    const std::size_t comma = text.find(',');
    result.key = leading_integer(comma == std::string_view::npos ? text : text.substr(comma + 1));
    return result;
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

// A hand-edited file may hold any number of digits; the value saturates
// instead of overflowing.
std::int32_t leading_integer(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(magnitude < limit ? magnitude : limit - 1);
}
