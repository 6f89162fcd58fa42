#include "options/number_field.h"

#include <limits>

std::uint32_t edit_number_value(std::string_view text) {
    constexpr std::uint64_t largest = std::numeric_limits<std::uint32_t>::max();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > largest)
            return static_cast<std::uint32_t>(largest);
    }
    return static_cast<std::uint32_t>(value);
}
