#include "engine/answer_format.h"

#include "engine/formatter.h"
#include "engine/int_conversion.h"
#include "engine/setting_range.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace cal {

std::string format_answer(double value, const answer_options& options) {
    switch (options.answer_mode) {
    case answer_form::angle_time:
        return format_angle_time(value, precision_range.usable(options.precision));
    case answer_form::binary: return format_binary(value);
    case answer_form::octal: return format_octal(value);
    case answer_form::hexadecimal: return format_hex(value);
    case answer_form::real:
    default: {
        return format_real(value, precision_range.usable(options.precision),
                           exponent_range.usable(options.exp_translate), options.comma);
    }
    }
}

double rounded_ans(double value, const std::string& shown, answer_form answer_mode) {
    double rounded = value;
    switch (answer_mode) {
    case answer_form::angle_time: return value;
    case answer_form::binary:
    case answer_form::octal:
    case answer_form::hexadecimal: rounded = static_cast<double>(to_int32(value)); break;
    case answer_form::real:
    default: {
        std::string digits;
        digits.reserve(shown.size());
        for (char c : shown)
            if (c != ',')
                digits.push_back(c);
        // std::from_chars: locale-free and libstdc++'s own code, the same on
        // glibc and MinGW. It accepts no leading '+', which the text never has.
        const char* first = digits.data();
        const char* last = first + digits.size();
        auto [end, ec] = std::from_chars(first, last, rounded);
        if (ec != std::errc() || end != last)
            return value;
        break;
    }
    }
    return std::isfinite(rounded) ? rounded : value;
}

double ans_value(double value, const std::string& shown, const answer_options& options) {
    return options.ans_precision ? rounded_ans(value, shown, options.answer_mode) : value;
}

} // namespace cal
