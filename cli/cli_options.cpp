#include "cli/cli_options.h"

#include "engine/setting_range.h"

#include <charconv>
#include <string>
#include <string_view>

namespace cli {

namespace {

bool parse_int(std::string_view text, const cal::setting_range& range, int& value) {
    int parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || !range.contains(parsed))
        return false;
    value = parsed;
    return true;
}

std::string range_text(const cal::setting_range& range) {
    return std::to_string(range.low) + " to " + std::to_string(range.high);
}

} // namespace

bool parse_arguments(int argc, char** argv, cli_options& options, std::string& error) {
    bool batch = false;
    bool help = false;
    int i = 1;
    auto value_of = [&](std::string_view option, std::string_view& value) {
        if (i + 1 >= argc) {
            error = std::string(option) + " needs a value";
            return false;
        }
        value = argv[++i];
        return true;
    };
    for (; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view value;
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.size() < 2 || arg.substr(0, 2) != "--") {
            options.expressions.emplace_back(arg);
            continue;
        }
        if (arg == "--help") {
            help = true;
        } else if (arg == "--batch") {
            batch = true;
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--comma") {
            options.answer.comma = true;
        } else if (arg == "--no-ans-precision") {
            options.answer.ans_precision = false;
        } else if (arg == "--angle") {
            if (!value_of(arg, value))
                return false;
            if (value == "degree")
                options.angle_mode = cal::angle_unit::degree;
            else if (value == "radian")
                options.angle_mode = cal::angle_unit::radian;
            else if (value == "grad")
                options.angle_mode = cal::angle_unit::grad;
            else {
                error = "--angle takes degree, radian or grad, not '" + std::string(value) + "'";
                return false;
            }
        } else if (arg == "--answer") {
            if (!value_of(arg, value))
                return false;
            static constexpr std::string_view names[] = {"real", "angle", "binary", "octal", "hex"};
            int mode = -1;
            for (int k = 0; k < 5; ++k)
                if (value == names[k])
                    mode = k;
            if (mode < 0) {
                error = "--answer takes real, angle, binary, octal or hex, not '" + std::string(value) + "'";
                return false;
            }
            options.answer.answer_mode = cal::answer_form_from_number(mode);
        } else if (arg == "--precision") {
            if (!value_of(arg, value))
                return false;
            if (!parse_int(value, cal::precision_range, options.answer.precision)) {
                error = "--precision takes a number from " + range_text(cal::precision_range) + ", not '" +
                        std::string(value) + "'";
                return false;
            }
        } else if (arg == "--exp") {
            if (!value_of(arg, value))
                return false;
            if (!parse_int(value, cal::exponent_range, options.answer.exp_translate)) {
                error = "--exp takes a number from " + range_text(cal::exponent_range) + ", not '" +
                        std::string(value) + "'";
                return false;
            }
        } else if (arg == "--function") {
            if (!value_of(arg, value))
                return false;
            options.functions.emplace_back(value);
        } else {
            error = "unknown option '" + std::string(arg) +
                    "' (put \"--\" before an expression that starts with \"--\")";
            return false;
        }
    }
    for (; i < argc; ++i)
        options.expressions.emplace_back(argv[i]);

    if (help)
        options.mode = run_mode::help;
    else if (batch) {
        if (!options.expressions.empty()) {
            error = "--batch reads standard input and takes no expression arguments";
            return false;
        }
        options.mode = run_mode::batch;
    } else if (!options.expressions.empty())
        options.mode = run_mode::expressions;
    else
        options.mode = run_mode::lines;
    return true;
}

std::string help_text() {
    std::string text = R"(Usage: tarvik-cli [OPTIONS] EXPR...      evaluate each expression in order
       tarvik-cli [OPTIONS]               interactive prompt (standard input a terminal)
       tarvik-cli --batch [OPTIONS]       machine protocol on standard input

Tarvik's calculation engine on the command line. Every expression is committed
as Enter does in the calculator window: it is evaluated on one calculator
(assignments stay), its answer is formatted by the answer form, and "ans" is
set to it (rounded to the shown precision unless --no-ans-precision). "ans"
is 0 at the start.

EXPR... prints each answer on its own line. An error prints its message, the
expression and a marker under the characters it points at to standard error;
the exit status is then 1. With no expression and a terminal on standard input
a prompt reads lines until "quit", "exit" or the end of input (Ctrl+D; Ctrl+Z
Enter on Windows); Up and Down recall earlier lines for editing.

Expressions and the prompt's lines are read in UTF-8 (on Windows in the code
page of the console or of the arguments); as in the calculator window,
full-width digits, letters and operators, the ideographic space, the minus
sign, "×" and "÷" count as their ASCII forms (１２３＋４ is 123+4).

--batch reads standard input line by line (LF or CRLF) and prints exactly one
line per input line:
    ok <answer>                        (with --raw: ok <value as %.17g>)
    error <position> <length> <message>   (position -1 when there is none)
A formatter error (a value too large for the answer form) is a failed line
and leaves "ans" unchanged. The exit status is 0 once the input is read to
its end. Input bytes reach the engine unchanged.

Options:
  --angle degree|radian|grad   angle mode of the trigonometric functions (degree)
  --answer real|angle|binary|octal|hex   answer form (real)
  --precision N                digits after the point, {precision}
  --exp N                      exponent digits: the exponent form is used
                               beyond 10^(N-1) and below 10^(1-N), {exponent}
  --comma                      group the integer digits of the real form with ","
  --no-ans-precision           "ans" keeps the full value, not the shown one
  --raw                        print the value itself (%.17g), not the answer text
                               (the answer is still formatted: "ans" rounding
                               and formatter errors are as without --raw)
  --function TEXT              add a user function name(params)=definition[//note]
                               (repeatable, in order); a rejected one prints
                               "error <position> <length> <message>" and exits with 2
  --batch                      the machine protocol above
  --help                       this text
  --                           the arguments after it are expressions (options
                               may stand anywhere before it)

Messages are Japanese: UTF-8 on Linux (a byte that does not convert shows as
\xNN), the console's code page on Windows. Usage errors exit with 2.

Examples:
  tarvik-cli '1+2*3' 'ans/2'                  -> 7, 3.5
  tarvik-cli --answer hex 255 -1              -> 0xFF, 0xFFFFFFFF
  tarvik-cli --angle radian 'sin(pi()/2)'     -> 1
  tarvik-cli --function 'sq(x)=x*x' 'sq(12)'  -> 144
  tarvik-cli -5+3                             -> -2
  tarvik-cli -- --5                           -> 5
  printf 'x=2\r\nx*ans\n1/0\n' | tarvik-cli --batch
      ok 2
      ok 4
      error 1 1 除算が 0 で行われています。
)";
    // The bounds and defaults as the range table has them: "0-15 (10)".
    const auto fill = [&text](std::string_view field, const cal::setting_range& range) {
        text.replace(text.find(field), field.size(),
                     std::to_string(range.low) + "-" + std::to_string(range.high) + " (" +
                         std::to_string(range.fallback) + ")");
    };
    fill("{precision}", cal::precision_range);
    fill("{exponent}", cal::exponent_range);
    return text;
}

} // namespace cli
