#pragma once
#include <cstdint>

namespace cal {

// The bounds of a setting that holds a number, and the number used in place
// of one outside them (a hand-edited settings file may hold anything).
struct setting_range {
    std::int32_t low;
    std::int32_t high;
    std::int32_t fallback;

    constexpr bool contains(std::int32_t value) const { return value >= low && value <= high; }
    // The value itself when it is in range, otherwise the fall-back.
    constexpr std::int32_t usable(std::int32_t value) const { return contains(value) ? value : fallback; }
};

// The calculation's bounded settings. The settings file, the option pages,
// the command line and the formatters all take their bounds from here.
inline constexpr setting_range precision_range{0, 15, 10};     // digits after the point
inline constexpr setting_range exponent_range{2, 15, 10};      // exponent notation threshold
inline constexpr setting_range answer_form_range{0, 4, 0};     // real .. hexadecimal
inline constexpr setting_range angle_unit_range{0, 2, 0};      // degree, radian, grad
// What follows a sending of the answer; here because the portable sending
// rules (calc/answer_sender_rules) may see nothing above the engine.
inline constexpr setting_range after_send_range{0, 2, 1};      // hide, activate the target, nothing

} // namespace cal
