#include "engine/builtin_functions.h"
#include "engine/trigonometry.h"

#include <cmath>

namespace cal {

namespace {

using args = const double*;

double absolute(args a, angle_unit) { return std::fabs(a[0]); }
double ceiling(args a, angle_unit) { return std::ceil(a[0]); }
double euler_number(args, angle_unit) { return e_value; }
double exponential(args a, angle_unit) { return std::exp(a[0]); }
double round_down(args a, angle_unit) { return std::floor(a[0]); }
double choose(args a, angle_unit) { return a[0] != 0 ? a[1] : a[2]; }
double natural_logarithm(args a, angle_unit) { return std::log(a[0]); }
double common_logarithm(args a, angle_unit) { return std::log10(a[0]); }
double circle_constant(args, angle_unit) { return pi_value; }
double random_number(args, angle_unit) { return next_random(); }
double square_root(args a, angle_unit) { return std::sqrt(a[0]); }

// The circular and hyperbolic functions take their argument in the angle
// unit; the inverse circular ones give their result in it.
double arc_cosine(args a, angle_unit u) { return from_radians(std::acos(a[0]), u); }
double arc_sine(args a, angle_unit u) { return from_radians(std::asin(a[0]), u); }
double arc_tangent(args a, angle_unit u) { return from_radians(std::atan(a[0]), u); }
double cosine(args a, angle_unit u) { return precise_cos(to_radians(a[0], u)); }
double sine(args a, angle_unit u) { return precise_sin(to_radians(a[0], u)); }
double tangent(args a, angle_unit u) { return precise_tan(to_radians(a[0], u)); }
double hyperbolic_cosine(args a, angle_unit u) { return std::cosh(to_radians(a[0], u)); }
double hyperbolic_sine(args a, angle_unit u) { return std::sinh(to_radians(a[0], u)); }
double hyperbolic_tangent(args a, angle_unit u) { return std::tanh(to_radians(a[0], u)); }

} // namespace

const std::array<builtin_function, builtin_function_count> builtin_function_table{{
    {"abs", 1, "絶対値を求める", absolute},
    {"acos", 1, "アークコサインを計算する", arc_cosine},
    {"asin", 1, "アークサインを計算する", arc_sine},
    {"atan", 1, "アークタンジェントを計算する", arc_tangent},
    {"ceil", 1, "整数の切り上げを求める", ceiling},
    {"cos", 1, "コサインを計算する", cosine},
    {"cosh", 1, "ハイパーボリックコサインを計算する", hyperbolic_cosine},
    {"e", 0, "自然数を求める", euler_number},
    {"exp", 1, "指数関数を計算する", exponential},
    {"floor", 1, "引数以下の数字で最大のものを返す", round_down},
    {"if", 3, "条件に合った値を返す", choose},
    {"log", 1, "自然対数を計算する", natural_logarithm},
    {"log10", 1, "対数を計算する(底10)", common_logarithm},
    {"pi", 0, "円周率を求める", circle_constant},
    {"rand", 0, "乱数を返す", random_number},
    {"sin", 1, "サインを計算する", sine},
    {"sinh", 1, "ハイパーボリックサインを計算する", hyperbolic_sine},
    {"sqrt", 1, "平方根を求める", square_root},
    {"tan", 1, "タンジェントを計算する", tangent},
    {"tanh", 1, "ハイパーボリックタンジェントを計算する", hyperbolic_tangent},
}};

bool builtin_function_at(int index, std::string& name, int& arg_count) {
    if (index < 0 || index >= builtin_function_count)
        return false;
    const auto& row = builtin_function_table[static_cast<std::size_t>(index)];
    name = row.name;
    arg_count = row.arg_count;
    return true;
}

namespace {
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

int find_builtin_function(std::string_view name) {
    if (name.empty())
        return -1;
    const char first = lower(name[0]);
    for (int r = 0; r < builtin_function_count; ++r) {
        const char* row_name = builtin_function_table[static_cast<std::size_t>(r)].name;
        if (row_name[0] != first)
            continue; // most rows differ in the first letter; only the others are measured
        std::string_view row = row_name;
        if (row.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 1; i < row.size(); ++i)
            if (lower(name[i]) != row[i]) {
                same = false;
                break;
            }
        if (same)
            return r;
    }
    return -1;
}

double to_radians(double x, angle_unit unit) {
    switch (unit) {
    case angle_unit::degree: return pi_value * x / 180;
    case angle_unit::radian: return x;
    case angle_unit::grad: return pi_value * x / 200;
    default: return 0;
    }
}

double from_radians(double x, angle_unit unit) {
    switch (unit) {
    case angle_unit::degree: return x * 180 / pi_value;
    case angle_unit::radian: return x;
    case angle_unit::grad: return x * 200 / pi_value;
    default: return 0;
    }
}

namespace {
std::uint32_t random_state_value = 1;
} // namespace

double next_random() {
    random_state_value = random_state_value * 214013u + 2531011u;
    return static_cast<double>((random_state_value >> 16) & 32767u);
}

void reset_random(std::uint32_t state) { random_state_value = state; }
std::uint32_t random_state() { return random_state_value; }

} // namespace cal
