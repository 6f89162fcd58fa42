#include "engine/builtin_functions.h"
#include "engine/trigonometry.h"

#include <cmath>

namespace cal {

namespace {

using args = const double*;

} // namespace

// The rows compute on the arguments exactly what the names say; the circular
// and hyperbolic functions take their argument in the angle unit, the inverse
// circular ones give their result in it.
const std::array<builtin_function, builtin_function_count> builtin_function_table{{
    {"abs", 1, "絶対値を求める", [](args a, angle_unit) { return std::fabs(a[0]); }},
    {"acos", 1, "アークコサインを計算する", [](args a, angle_unit u) { return from_radians(std::acos(a[0]), u); }},
    {"asin", 1, "アークサインを計算する", [](args a, angle_unit u) { return from_radians(std::asin(a[0]), u); }},
    {"atan", 1, "アークタンジェントを計算する", [](args a, angle_unit u) { return from_radians(std::atan(a[0]), u); }},
    {"ceil", 1, "整数の切り上げを求める", [](args a, angle_unit) { return std::ceil(a[0]); }},
    {"cos", 1, "コサインを計算する", [](args a, angle_unit u) { return precise_cos(to_radians(a[0], u)); }},
    {"cosh", 1, "ハイパーボリックコサインを計算する", [](args a, angle_unit u) { return std::cosh(to_radians(a[0], u)); }},
    {"e", 0, "自然数を求める", [](args, angle_unit) { return e_value; }},
    {"exp", 1, "指数関数を計算する", [](args a, angle_unit) { return std::exp(a[0]); }},
    {"floor", 1, "引数以下の数字で最大のものを返す", [](args a, angle_unit) { return std::floor(a[0]); }},
    {"if", 3, "条件に合った値を返す", [](args a, angle_unit) { return a[0] != 0 ? a[1] : a[2]; }},
    {"log", 1, "自然対数を計算する", [](args a, angle_unit) { return std::log(a[0]); }},
    {"log10", 1, "対数を計算する(底10)", [](args a, angle_unit) { return std::log10(a[0]); }},
    {"pi", 0, "円周率を求める", [](args, angle_unit) { return pi_value; }},
    {"rand", 0, "乱数を返す", [](args, angle_unit) { return next_random(); }},
    {"sin", 1, "サインを計算する", [](args a, angle_unit u) { return precise_sin(to_radians(a[0], u)); }},
    {"sinh", 1, "ハイパーボリックサインを計算する", [](args a, angle_unit u) { return std::sinh(to_radians(a[0], u)); }},
    {"sqrt", 1, "平方根を求める", [](args a, angle_unit) { return std::sqrt(a[0]); }},
    {"tan", 1, "タンジェントを計算する", [](args a, angle_unit u) { return precise_tan(to_radians(a[0], u)); }},
    {"tanh", 1, "ハイパーボリックタンジェントを計算する", [](args a, angle_unit u) { return std::tanh(to_radians(a[0], u)); }},
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
    for (int r = 0; r < builtin_function_count; ++r) {
        std::string_view row = builtin_function_table[static_cast<std::size_t>(r)].name;
        if (row.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < row.size(); ++i)
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
