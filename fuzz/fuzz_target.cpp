// libFuzzer target: the engine's calculate (on a calculator holding a few
// variables and user functions, among them a chain of calls deeper than
// allowed and a fan-out of calls beyond the work of one evaluation), the
// user-function parser, and the five answer formatters with arbitrary doubles
// and settings.
//
// Input:
//   first byte 0xF0: formatters: 8 bytes of a double, then decimals, exponent
//                    digits, grouping and answer mode bytes (missing ones 0);
//   first byte 0xF1: the rest is a user-function definition text;
//   anything else:   the whole input is an expression (the angle mode and the
//                    answer form of its result come from the input's length).
#include "engine/answer_format.h"
#include "engine/calculator.h"
#include "engine/calculator_error.h"
#include "engine/evaluation_limits.h"
#include "engine/formatter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const cal::calculator& base_calculator() {
    static const cal::calculator calc = [] {
        cal::calculator c;
        c.set_variable("ans", 1.5);
        c.set_variable("x", 3);
        c.set_variable("y", -2.25);
        c.set_variable("big", 1e300);
        c.set_variable("tiny", 1e-300);
        for (const char* text : {"sq(x)=x*x//square", "f(a, b)=a*b+a", "g()=pi()*2", "rec(n)=rec(n)",
                                 "h(x)=sq(x)+f(x,1)", "ff(x)=1/x"})
            c.add_user_function(text);
        // d0 calls d1 ... calls d260; fo0 calls fo1 100 times, which calls fo2 100 times.
        for (std::size_t i = 0; i < 260; ++i)
            c.add_user_function("d" + std::to_string(i) + "(x)=d" + std::to_string(i + 1) + "(x)+x");
        c.add_user_function("d260(x)=x");
        for (int i = 0; i < 2; ++i) {
            std::string text = "fo" + std::to_string(i) + "(x)=fo" + std::to_string(i + 1) + "(x)";
            for (int k = 1; k < 100; ++k)
                text += "+fo" + std::to_string(i + 1) + "(x)";
            c.add_user_function(text);
        }
        c.add_user_function("fo2(x)=x");
        return c;
    }();
    return calc;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Formats value in every form; errors are the formatters' range errors only.
void format_everything(double value, int decimals, int exponent_digits, bool grouping, int mode) {
    std::string real = cal::format_real(value, decimals, exponent_digits, grouping);
    check(!real.empty() && real.size() < 1000);
    std::string fixed = cal::format_real(value, decimals, -1, grouping);
    check(!fixed.empty() && fixed.size() < 1000);
    try {
        std::string text = cal::format_angle_time(value, decimals);
        check(std::fabs(value) <= 2147483647.0 && text.size() < 100);
    } catch (const cal::calculator_error& e) {
        check(!(std::fabs(value) <= 2147483647.0) && e.position == 0 && e.length == 0);
    }
    for (auto format : {cal::format_binary, cal::format_octal, cal::format_hex}) {
        try {
            std::string text = format(value);
            check(value <= 4294967295.0 && text.size() >= 3 && text.size() <= 34);
        } catch (const cal::calculator_error& e) {
            check(!(value <= 4294967295.0) && e.position == 0 && e.length == 0);
        }
    }
    cal::answer_options options;
    options.answer_mode = cal::answer_form_from_number(mode);
    options.precision = decimals;
    options.exp_translate = exponent_digits;
    options.comma = grouping;
    try {
        std::string shown = cal::format_answer(value, options);
        double ans = cal::rounded_ans(value, shown, options.answer_mode);
        check(std::isfinite(ans) || !std::isfinite(value));
    } catch (const cal::calculator_error&) {
    }
}

// A bound of the evaluation is shown at the call typed in the expression (a
// function name directly followed by "("), or nowhere when the expression
// alone is more work than an evaluation may do.
void check_limit_error(const cal::evaluation_limit_error& e, std::string_view text) {
    if (e.position == -1) {
        check(e.length == 0 &&
              static_cast<std::int64_t>(text.size()) + cal::work_per_text > cal::work_budget);
        return;
    }
    const auto end = static_cast<std::size_t>(e.position) + static_cast<std::size_t>(e.length);
    check(e.position >= 0 && e.length > 0 && end < text.size() && text[end] == '(');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 1 && data[0] == 0xF0) {
        double value = 0;
        std::uint8_t bytes[12] = {};
        std::memcpy(bytes, data + 1, size - 1 < sizeof bytes ? size - 1 : sizeof bytes);
        std::memcpy(&value, bytes, sizeof value);
        int decimals = static_cast<std::int8_t>(bytes[8]) % 24;
        int exponent_digits = static_cast<std::int8_t>(bytes[9]) % 24;
        format_everything(value, decimals, exponent_digits, (bytes[10] & 1) != 0, bytes[11] % 7 - 1);
        return 0;
    }
    std::string_view text(reinterpret_cast<const char*>(data), size);
    cal::calculator calc = base_calculator();
    if (size >= 1 && data[0] == 0xF1) {
        try {
            calc.add_user_function(text.substr(1));
        } catch (const cal::calculator_error&) {
        }
        return 0;
    }
    calc.angle_mode = cal::angle_unit_from_number(static_cast<std::int32_t>(size % 3));
    try {
        double value = calc.calculate(text);
        format_everything(value, 10, 10, size % 2 == 0, static_cast<int>(size % 5));
    } catch (const cal::evaluation_limit_error& e) {
        check_limit_error(e, text);
    } catch (const cal::calculator_error& e) {
        check(e.position >= -1);
        check(e.length >= 0);
    }
    return 0;
}
