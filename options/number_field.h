#pragma once
#include <cstdint>
#include <string_view>

// The number a digits-only edit holds, read the way the display page checks
// its ranges: leading blanks are skipped, then decimal digits are read up to
// the first other character; text without digits (an emptied edit) reads as 0.
// A number too large for 32 bits reads as the largest value, so that it fails
// every range check instead of wrapping round into one.
std::uint32_t edit_number_value(std::string_view text);
