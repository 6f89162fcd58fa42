#pragma once
#include <cstdint>

#include "engine/setting_range.h"

namespace cal {

// The unit in which the trigonometric functions take and give angles.
enum class angle_unit : std::int32_t { degree = 0, radian = 1, grad = 2 };

// The form in which a committed answer is shown.
enum class answer_form : std::int32_t { real = 0, angle_time = 1, binary = 2, octal = 3, hexadecimal = 4 };

// The settings file, the menus and the command line number the units 0-2 and
// the forms 0-4 in the order above. These two functions are the one place that
// turns such a number into the enum; a number outside the range (a hand-edited
// settings file) reads as the first unit or form.
constexpr angle_unit angle_unit_from_number(std::int32_t number) {
    return static_cast<angle_unit>(angle_unit_range.usable(number));
}

constexpr answer_form answer_form_from_number(std::int32_t number) {
    return static_cast<answer_form>(answer_form_range.usable(number));
}

} // namespace cal
