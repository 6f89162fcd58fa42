#pragma once
#include <string>

namespace cal {

// The answer formatters. Texts are byte strings (CP932); the
// messages of the raised calculator_error are the Japanese ones.
//
// Non-finite and out-of-range arguments never crash or hang:
// - format_real: NaN gives "nan", infinities "inf" and "-inf"; decimals out of
//   precision_range, and exponent_digits out of exponent_range (other than
//   -1, never the exponent form), take the range's fall-back, as the
//   settings file does (setting_range.h).
// - format_angle_time: NaN and infinities raise the range message.
// - format_binary/octal/hex: NaN and +infinity raise the range message;
//   -infinity has no lower bound and shows 0, as to_uint32 gives.

// Fixed or exponent form. decimals: digits after the point (precision_range);
// exponent_digits: exponent_range, or -1 for never the exponent form; grouping: "," every
// three digits of the integer part. Never raises.
// Both forms round the value's 17-significant-digit decimal expansion half up;
// the exponent form's mantissa is that expansion shifted by the exponent, and
// a mantissa that rounds up to 10 moves to the next exponent. A value whose
// exponent form would round to exactly 10^(exponent_digits - 1) or
// 10^(1 - exponent_digits) shows in the fixed form, as that power itself does,
// so that the text read back as a number shows the same text again.
std::string format_real(double x, int decimals, int exponent_digits, bool grouping);

// Degrees (or hours), minutes and seconds "d:mm:ss.sss"; decimals applies to
// the seconds. Raises calculator_error when |x| > 2147483647.
std::string format_angle_time(double x, int decimals);

// "0b..." / "0o..." / "0x..." of the low 32 bits of x truncated toward zero.
// Raise calculator_error when x > 4294967295.
std::string format_binary(double x);
std::string format_octal(double x);
std::string format_hex(double x);

} // namespace cal
