#include "engine/builtin_functions.h"
#include "engine/trigonometry.h"

#include <cmath>

namespace cal {

const std::array<builtin_function, builtin_function_count> builtin_function_table{{
    {"abs", 1, "絶対値を求める"},
    {"acos", 1, "アークコサインを計算する"},
    {"asin", 1, "アークサインを計算する"},
    {"atan", 1, "アークタンジェントを計算する"},
    {"ceil", 1, "整数の切り上げを求める"},
    {"cos", 1, "コサインを計算する"},
    {"cosh", 1, "ハイパーボリックコサインを計算する"},
    {"e", 0, "自然数を求める"},
    {"exp", 1, "指数関数を計算する"},
    {"floor", 1, "引数以下の数字で最大のものを返す"},
    {"if", 3, "条件に合った値を返す"},
    {"log", 1, "自然対数を計算する"},
    {"log10", 1, "対数を計算する(底10)"},
    {"pi", 0, "円周率を求める"},
    {"rand", 0, "乱数を返す"},
    {"sin", 1, "サインを計算する"},
    {"sinh", 1, "ハイパーボリックサインを計算する"},
    {"sqrt", 1, "平方根を求める"},
    {"tan", 1, "タンジェントを計算する"},
    {"tanh", 1, "ハイパーボリックタンジェントを計算する"},
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

double to_radians(double x, std::int32_t angle_mode) {
    switch (angle_mode) {
    case 0: return pi_value * x / 180;
    case 1: return x;
    case 2: return pi_value * x / 200;
    default: return 0;
    }
}

double from_radians(double x, std::int32_t angle_mode) {
    switch (angle_mode) {
    case 0: return x * 180 / pi_value;
    case 1: return x;
    case 2: return x * 200 / pi_value;
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

double call_builtin_function(int row, const double* a, std::int32_t m) {
    switch (row) {
    case 0: return std::fabs(a[0]);
    case 1: return from_radians(std::acos(a[0]), m);
    case 2: return from_radians(std::asin(a[0]), m);
    case 3: return from_radians(std::atan(a[0]), m);
    case 4: return std::ceil(a[0]);
    case 5: return precise_cos(to_radians(a[0], m));
    case 6: return std::cosh(to_radians(a[0], m));
    case 7: return e_value;
    case 8: return std::exp(a[0]);
    case 9: return std::floor(a[0]);
    case 10: return a[0] != 0 ? a[1] : a[2];
    case 11: return std::log(a[0]);
    case 12: return std::log10(a[0]);
    case 13: return pi_value;
    case 14: return next_random();
    case 15: return precise_sin(to_radians(a[0], m));
    case 16: return std::sinh(to_radians(a[0], m));
    case 17: return std::sqrt(a[0]);
    case 18: return precise_tan(to_radians(a[0], m));
    case 19: return std::tanh(to_radians(a[0], m));
    default: return 0;
    }
}

} // namespace cal
