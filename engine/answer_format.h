#pragma once
#include <string>

#include "engine/modes.h"
#include "engine/setting_range.h"

namespace cal {

// The settings that decide how a committed answer is shown and
// how "ans" is rounded when it is stored; shared by the main window
// and tarvik-cli.
struct answer_options {
    answer_form answer_mode = answer_form::real;
    int precision = precision_range.fallback;    // decimals
    int exp_translate = exponent_range.fallback; // exponent digits
    bool comma = false;        // grouping of the real form
    bool ans_precision = true; // "ans" takes the value as shown
};

// The answer text of value by the options. A form outside the enum falls back
// to real; a precision or exp_translate outside its range (setting_range.h)
// falls back to the range's default. Raises calculator_error when the value does not fit the form.
std::string format_answer(double value, const answer_options& options);

// The value that "ans" takes when "Ans Precision" is on, given the text shown
// for value in answer_mode: real (and any value outside the enum) the decimal
// value of the shown text with "," removed; binary, octal, hexadecimal the value
// truncated to a 64-bit integer of which the low 32 bits are taken as signed;
// angle/time the value unchanged.
// When the rounded value would not be finite (or the text does not read as a
// number) the unrounded value is returned.
double rounded_ans(double value, const std::string& shown, answer_form answer_mode);

// What "ans" is set to after a commit: rounded_ans when options.ans_precision
// is on, otherwise value.
double ans_value(double value, const std::string& shown, const answer_options& options);

} // namespace cal
