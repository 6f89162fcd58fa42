#include "calc/half_width_input.h"

#include <cstdint>

namespace {

// Double-byte characters [first, last] that stand for the ASCII characters
// from `ascii` on.
struct half_width_range {
    std::uint16_t first;
    std::uint16_t last;
    char ascii;
};

constexpr half_width_range half_width_ranges[] = {
    {0x8140, 0x8140, ' '},  // ideographic space
    {0x824F, 0x8258, '0'},  // ０ to ９
    {0x8260, 0x8279, 'A'},  // Ａ to Ｚ
    {0x8281, 0x829A, 'a'},  // ａ to ｚ
    {0x817B, 0x817B, '+'},
    {0x817C, 0x817C, '-'},  // － and the minus sign −
    {0x817E, 0x817E, '*'},  // ×
    {0x8180, 0x8180, '/'},  // ÷
    {0x8196, 0x8196, '*'},
    {0x815E, 0x815E, '/'},
    {0x8193, 0x8193, '%'},
    {0x814F, 0x814F, '^'},
    {0x8169, 0x8169, '('},
    {0x816A, 0x816A, ')'},
    {0x8181, 0x8181, '='},
    {0x8183, 0x8183, '<'},
    {0x8184, 0x8184, '>'},
    {0x8149, 0x8149, '!'},
    {0x8195, 0x8195, '&'},
    {0x8162, 0x8162, '|'},
    {0x8160, 0x8160, '~'},
    {0x8143, 0x8143, ','},
    {0x8144, 0x8144, '.'},
    {0x8146, 0x8146, ':'},
    {0x8151, 0x8151, '_'},
    {0x8147, 0x8147, ';'},
    {0x8148, 0x8148, '?'},
    {0x814D, 0x814D, '`'},
    {0x815F, 0x815F, '\\'},
    {0x816D, 0x816D, '['},
    {0x816E, 0x816E, ']'},
    {0x816F, 0x816F, '{'},
    {0x8170, 0x8170, '}'},
    {0x8190, 0x8190, '$'},
    {0x8194, 0x8194, '#'},
    {0x8197, 0x8197, '@'},
    // ＂ and ＇ live among the IBM extensions, twice each
    {0xFA57, 0xFA57, '"'},
    {0xEEFC, 0xEEFC, '"'},
    {0xFA56, 0xFA56, '\''},
    {0xEEFB, 0xEEFB, '\''},
};

bool is_lead_byte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The ASCII character of a double-byte character, or 0 when it has none.
char half_width_of(std::uint16_t code) {
    for (const half_width_range& range : half_width_ranges)
        if (code >= range.first && code <= range.last)
            return static_cast<char>(range.ascii + (code - range.first));
    return 0;
}

} // namespace

std::string half_width_input(std::string_view cp932) {
    std::string result;
    result.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        if (!is_lead_byte(lead) || i + 1 == cp932.size()) {
            result.push_back(cp932[i]);
            continue;
        }
        const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(cp932[i + 1]));
        if (const char ascii = half_width_of(code))
            result.push_back(ascii);
        else
            result.append(cp932.substr(i, 2));
        ++i;
    }
    return result;
}
