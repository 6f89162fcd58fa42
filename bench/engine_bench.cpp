// The per-keystroke work of live evaluation: copy the calculator,
// which holds 10 variables and 5 user functions, then calculate. Also the
// answer formatters.
#include "engine/answer_format.h"
#include "engine/calculator.h"
#include "engine/formatter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const cal::calculator& keystroke_calculator() {
    static const cal::calculator calc = [] {
        cal::calculator c;
        const char* names[] = {"ans", "x", "y", "z", "rate", "width", "height", "depth", "total", "n"};
        double value = 1.25;
        for (const char* name : names) {
            c.set_variable(name, value);
            value = value * 1.7 + 0.3;
        }
        for (const char* text : {"sq(x)=x*x//square", "area(w, h)=w*h", "g()=pi()*2",
                                 "hyp(a, b)=sqrt(a*a+b*b)", "avg(a, b, c)=(a+b+c)/3"})
            c.add_user_function(text);
        return c;
    }();
    return calc;
}

std::string repeated_expression(std::size_t length) {
    std::string text;
    while (text.size() + 10 <= length)
        text += "1.5*2+3/4-";
    text += "1";
    return text;
}

std::string nested_parentheses(int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "1+1" +
           std::string(static_cast<std::size_t>(depth), ')');
}

void keystroke(benchmark::State& state, std::string text) {
    const cal::calculator& base = keystroke_calculator();
    for (auto _ : state) {
        cal::calculator copy = base;
        double value = copy.calculate(text);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(std::to_string(text.size()) + " chars");
}

BENCHMARK_CAPTURE(keystroke, simple, std::string("1+2*3"));
BENCHMARK_CAPTURE(keystroke, parentheses, std::string("(1+2)*(3+4)/(5-6)"));
BENCHMARK_CAPTURE(keystroke, trigonometry, std::string("sin(30)+cos(60)"));
BENCHMARK_CAPTURE(keystroke, variables, std::string("2*x+3*y-x/y"));
BENCHMARK_CAPTURE(keystroke, sqrt_power, std::string("sqrt(2)**2"));
BENCHMARK_CAPTURE(keystroke, user_function, std::string("hyp(3, 4)+sq(2)"));
BENCHMARK_CAPTURE(keystroke, chars_200, repeated_expression(200));
BENCHMARK_CAPTURE(keystroke, chars_2000, repeated_expression(2000));
BENCHMARK_CAPTURE(keystroke, nested_50, nested_parentheses(50));

void copy_only(benchmark::State& state) {
    const cal::calculator& base = keystroke_calculator();
    for (auto _ : state) {
        cal::calculator copy = base;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(copy_only);

void format_real_bench(benchmark::State& state, double value, int exponent_digits, bool grouping) {
    for (auto _ : state) {
        std::string text = cal::format_real(value, 10, exponent_digits, grouping);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK_CAPTURE(format_real_bench, third, 1.0 / 3.0, 10, false);
BENCHMARK_CAPTURE(format_real_bench, grouped, 1234567.891, 10, true);
BENCHMARK_CAPTURE(format_real_bench, large_exponent, 1.7976931348623157e308, 10, false);
BENCHMARK_CAPTURE(format_real_bench, small_exponent, 5e-324, 10, false);

void format_other_bench(benchmark::State& state, int mode) {
    cal::answer_options options;
    options.answer_mode = cal::answer_form_from_number(mode);
    for (auto _ : state) {
        std::string text = cal::format_answer(12.345678, options);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK_CAPTURE(format_other_bench, angle_time, 1);
BENCHMARK_CAPTURE(format_other_bench, binary, 2);
BENCHMARK_CAPTURE(format_other_bench, octal, 3);
BENCHMARK_CAPTURE(format_other_bench, hex, 4);

} // namespace
