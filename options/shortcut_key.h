#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The top bit of a shortcut's code marks a user function; the low 31 bits are
// then its index in the list of user function texts. Codes from 0 upward are
// indexes into the engine's built-in function table.
constexpr std::int32_t USER_FUNCTION_FLAG = INT32_MIN;

// One Alt+key binding of a function.
struct shortcut_key {
    std::int32_t code = 0; // built-in index, or USER_FUNCTION_FLAG | user index
    std::int32_t key = 0;  // character pressed together with Alt

    bool operator==(const shortcut_key&) const = default;

    // Stored form: "code,key" in signed decimal.
    std::string to_text() const;

    // Reads the stored form. Each number is taken from the start of its text
    // (blanks skipped, optional sign, digits up to the first non-digit, 0 when
    // there are none). Without a comma the whole text serves for both, so "5"
    // reads as code 5 and key 5.
    static shortcut_key from_text(std::string_view text);
};

// The leading decimal number of a text, saturated to the 32-bit range.
std::int32_t leading_integer(std::string_view text);
