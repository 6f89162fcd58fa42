#include "engine/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/builtin_functions.h"
#include "engine_test_support.h"
#include "support/sjis.h"

namespace {

struct value_case {
    std::string expression;
    double value;
    std::int32_t angle_mode = 0;
};

std::ostream& operator<<(std::ostream& out, const value_case& c) { return out << c.expression; }

class calculate_value_test : public testing::TestWithParam<value_case> {};

TEST_P(calculate_value_test, yields) {
    const auto& c = GetParam();
    cal::calculator calc;
    calc.angle_mode = static_cast<cal::angle_unit>(c.angle_mode); // also units outside the enum
    calc.set_variable("x", 3);
    calc.set_variable("one", 1);
    double value = std::numeric_limits<double>::quiet_NaN();
    try {
        value = calc.calculate(c.expression);
    } catch (const cal::calculator_error& e) {
        FAIL() << c.expression << ": " << utf8_from_sjis(e.what());
    }
    if (c.value == 0)
        EXPECT_EQ(value, 0) << c.expression;
    else
        EXPECT_NEAR(value, c.value, std::fabs(c.value) * 1e-14) << c.expression;
}

const double pi = 3.141592653589793;

INSTANTIATE_TEST_SUITE_P(
    operators_literals_and_variables, calculate_value_test,
    testing::Values(
        value_case{"1+2*3", 7}, value_case{"2**3**2", 512}, value_case{"-2**2", 4}, value_case{"2**-1", 0.5},
        value_case{"2x", 6}, value_case{"1/2x", 1.0 / 6}, value_case{"2(3)", 6}, value_case{"(2)(3)", 6},
        value_case{"2pi()", 2 * pi}, value_case{"one=1, 2**3one**2", 64}, value_case{"x (2)", 2},
        value_case{"2 3", 3}, value_case{"0x10(2)", 2}, value_case{"y 2", 2}, value_case{"2 3 +", 5},
        value_case{"1,000", 0}, value_case{"1, 2", 2}, value_case{"5!", 0}, value_case{"!0", 1},
        value_case{"~0", -1}, value_case{"7 % -2", 1}, value_case{"-7 % 2", -1}, value_case{"1<<32", 1},
        value_case{"1<<31", -2147483648.0}, value_case{"-1>>1", -1}, value_case{"-8>>1", -4},
        value_case{"-1<<1", -2}, value_case{"7 & 3.9", 3}, value_case{"1e10 & 1", 0}, value_case{"6 ^ 3", 5},
        value_case{"6 | 3", 7}, value_case{"1 && 2", 1}, value_case{"1 && 0", 0}, value_case{"0 || 0", 0},
        value_case{"0 || -1", 1}, value_case{"1 < 2", 1}, value_case{"2 < 1", 0}, value_case{"2 > 1", 1},
        value_case{"1 <= 1", 1}, value_case{"1 >= 2", 0}, value_case{"1 == 1", 1}, value_case{"1 != 1", 0},
        value_case{"1e-200*1e-200", 0}, value_case{"1.2.3", 0.3}, value_case{"2e", 2},
        value_case{"1:30", 1.5}, value_case{"1:30:36", 1.51}, value_case{"1::36", 1.01},
        value_case{":30", 0.5}, value_case{"1.5:30", 2}, value_case{"0:0:30.5", 30.5 / 3600},
        value_case{"1x", 3}, value_case{"x_1=2, x_1", 2}, value_case{"_x=4, _x", 4}, value_case{"10-2-3", 5},
        value_case{"16/4/2", 2}, value_case{"2*3+4*5", 26}, value_case{"(1+2)*3", 9}, value_case{"-x", -3},
        value_case{"+x", 3}, value_case{"--2", 2}, value_case{"2--2", 4}, value_case{"2-(-2)", 4},
        value_case{"1 + 2 == 3", 1}, value_case{"1 < 2 & 1", 1}, value_case{"4/2(1+1)", 1},
        value_case{"2 2 x", 6}, value_case{"1e-300", 1e-300}, value_case{"0e-999", 0},
        value_case{"1 + (x = 5)", 6}, value_case{"x=1, y=2", 2}, value_case{"~1.9", -2}, value_case{"~-1", 0},
        value_case{"1e10 | 0", 1410065408}, value_case{"(((((((((((1)))))))))))", 1}, value_case{"2 (3)", 6},
        value_case{"(x) = 4", 4}));

INSTANTIATE_TEST_SUITE_P(
    builtin_functions, calculate_value_test,
    testing::Values(value_case{"sin(30)", 0.5}, value_case{"acos(0)", 90},
                    value_case{"sinh(90)", 2.3012989023072947},
                    value_case{"tan(90)", std::tan(pi * 90 / 180)}, value_case{"sin(100)", 1, 2},
                    value_case{"atan(1)", 50, 2}, value_case{"cos(pi())", -1, 1}, value_case{"SIN(30)", 0.5},
                    value_case{"Pi()", pi}, value_case{"if(0, 1, 2)", 2}, value_case{"if(-0.5, 1, 2)", 1},
                    value_case{"e()", 2.718281828459045}, value_case{"E()", 2.718281828459045},
                    value_case{"floor(-2.5)", -3}, value_case{"ceil(-2.5)", -2}, value_case{"abs(-4)", 4},
                    value_case{"asin(1)", 90}, value_case{"asin(1)", pi / 2, 1}, value_case{"atan(1)", 45},
                    value_case{"cos(60)", 0.5}, value_case{"cosh(0)", 1}, value_case{"exp(1)", std::exp(1.0)},
                    value_case{"log(e())", 1}, value_case{"log10(1000)", 3}, value_case{"LOG10(100)", 2},
                    value_case{"sqrt(16)", 4}, value_case{"tanh(0)", 0}, value_case{"sin(pi()/2)", 1, 1},
                    value_case{"cos(200)", -1, 2}, value_case{"sin(30)", 0, 3}, value_case{"acos(0)", 0, 7},
                    value_case{"2sin(30)", 1}, value_case{"sin (30)", 30},
                    value_case{"if(1,2,3)+if(0,2,3)", 5}, value_case{"sin(sin(sin(0)))", 0},
                    value_case{"abs((1,2))", 2}, value_case{"if((1),(2),(3))", 2}));

// sin(30)cos(60) is an error case, pi is a variable: handled separately below.

struct error_case {
    std::string expression;
    std::string message; // UTF-8
    std::int32_t position;
    std::int32_t length;
};

std::ostream& operator<<(std::ostream& out, const error_case& c) { return out << c.expression; }

class calculate_error_test : public testing::TestWithParam<error_case> {};

TEST_P(calculate_error_test, raises) {
    const auto& c = GetParam();
    cal::calculator calc;
    calc.set_variable("x", 3);
    EXPECT_CALC_ERROR(calc, c.expression, c.message, c.position, c.length);
}

const char* const range = "結果が有効範囲から外れました。";
const char* const syntax = "不正な構文です。";

INSTANTIATE_TEST_SUITE_P(
    operators_literals_and_variables, calculate_error_test,
    testing::Values(
        error_case{"", "式が空です。", 0, 0}, error_case{"   ", "式が空です。", 0, 0},
        error_case{"#", "文字 '#' は認識できません。", 0, 1},
        error_case{"2 # 3", "文字 '#' は認識できません。", 2, 1},
        error_case{"1e400", "数字が有効範囲から外れています。", 0, 5},
        error_case{"1e-400", "数字が有効範囲から外れています。", 0, 6},
        error_case{"1e-310", "数字が有効範囲から外れています。", 0, 6},
        error_case{"2+1e400", "数字が有効範囲から外れています。", 2, 5},
        error_case{"0x1fz", "文字 'z' は適切な16進数文字ではありません。", 0, 5},
        error_case{"0b", "'0b' の後には少なくとも1つの数字が必要です。", 0, 2},
        error_case{"0X", "'0X' の後には少なくとも1つの数字が必要です。", 0, 2},
        error_case{"0B102", "文字 '2' は適切な2進数文字ではありません。", 0, 5},
        error_case{"1+0o9", "文字 '9' は適切な8進数文字ではありません。", 2, 3},
        error_case{"1:2:3:4", "適切な角度または時間表現ではありません。", 0, 7},
        error_case{"(2)3", "右括弧の後に演算子が必要です", 2, 1},
        error_case{"(2)x", "右括弧の後に演算子が必要です", 2, 1},
        error_case{"(2) sin(1)", "右括弧の後に演算子が必要です", 3, 1},
        error_case{"x(2)", "関数 'x' は定義されていません。", 0, 1},
        error_case{"1+foo(2)", "関数 'foo' は定義されていません。", 2, 3},
        error_case{"3 = 4", "代入文の左辺が変数ではありません。", 2, 1},
        error_case{"=", "代入文の右辺値が存在しません。", 0, 1},
        error_case{"x=", "代入文の左辺が変数ではありません。", 1, 1}, error_case{"*2", syntax, 0, 0},
        error_case{"()", syntax, 0, 0}, error_case{"2+", syntax, 1, 0}, error_case{"-", syntax, 0, 0},
        error_case{"1/0", "除算が 0 で行われています。", 1, 1},
        error_case{"1/-0", "除算が 0 で行われています。", 1, 1},
        error_case{"5 % 0", "剰余演算が 0 で行われています。", 2, 1}, error_case{"sqrt(-1)", range, -1, 0},
        error_case{"10**400", range, -1, 0}, error_case{"1e-300*1e-10", range, -1, 0},
        error_case{"log(0)", range, -1, 0}, error_case{"log(-1)", range, -1, 0},
        error_case{"acos(2)", range, -1, 0}, error_case{"exp(1000)", range, -1, 0},
        error_case{"sin(1,2)", "引数が 1つ必要です。", 0, 3},
        error_case{"pi(1)", "引数が 0つ必要です。", 0, 2},
        error_case{"if(1,2)", "引数が 3つ必要です。", 0, 2},
        error_case{"sin()", "引数が 1つ必要です。", 0, 3},
        error_case{"if(1,,2,3)", "引数が 3つ必要です。", 0, 2},
        error_case{"sin(", "対応する括弧がありません。", 3, 1},
        error_case{"1+sin((2)", "対応する括弧がありません。", 5, 1},
        error_case{"(1", "対応する右括弧が見つかりません。", 0, 1},
        error_case{"1)", "対応する左括弧が見つかりません。", 1, 1},
        error_case{"((1)", "対応する右括弧が見つかりません。", 0, 1}, error_case{"if(1,2,+)", syntax, 0, 0},
        error_case{"if(1,2,-)", syntax, 0, 0},
        error_case{"sin(30)cos(60)", "右括弧の後に演算子が必要です", 6, 1},
        error_case{"if(1, 2, 1/0)", "除算が 0 で行われています。", 10, 1},
        error_case{"X*2", "変数 'X' は定義されていません。", 0, 1},
        error_case{"y + z", "変数 'z' は定義されていません。", 4, 1},
        error_case{"1+y", "変数 'y' は定義されていません。", 2, 1},
        error_case{"sin + 1", "変数 'sin' は定義されていません。", 0, 3}, error_case{"2e()", syntax, 2, 0}));

TEST(calculate_test, two_e_paren_is_not_two_times_e) {
    // '2e()' lexes as 2e ( ) and the implicit "*" before "(" makes it 2 * (),
    // which has no right operand.
    cal::calculator calc;
    auto r = engine_test::error_of(calc, "2e()");
    EXPECT_TRUE(r.raised);
}

TEST(calculate_test, sin_as_a_variable_and_a_function) {
    cal::calculator calc;
    EXPECT_EQ(calc.calculate("sin = 2"), 2);
    EXPECT_EQ(calc.calculate("sin"), 2);
    EXPECT_NEAR(calc.calculate("sin(30)"), 0.5, 1e-15);
    EXPECT_EQ(calc.calculate("pi = 4"), 4);
    EXPECT_EQ(calc.calculate("pi"), 4);
    EXPECT_NEAR(calc.calculate("pi()"), 3.141592653589793, 0);
}

TEST(calculate_test, assignments) {
    cal::calculator calc;
    EXPECT_EQ(calc.calculate("a = b = 3"), 3);
    double a = 0, b = 0;
    EXPECT_TRUE(calc.get_variable("a", a));
    EXPECT_TRUE(calc.get_variable("b", b));
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(calc.calculate("1 + (x = 5)"), 6);
    EXPECT_EQ(calc.calculate("x"), 5);
    EXPECT_EQ(calc.calculate("x=1, y=2"), 2);
    EXPECT_EQ(calc.calculate("x"), 1);
    EXPECT_EQ(calc.calculate("y"), 2);
    EXPECT_EQ(calc.calculate("x = 3"), 3);
    EXPECT_EQ(calc.calculate("x*2"), 6);
    EXPECT_CALC_ERROR(calc, "X*2", "変数 'X' は定義されていません。", 0, 1);
}

TEST(calculate_test, assignment_before_an_error_stays) {
    cal::calculator calc;
    EXPECT_CALC_ERROR(calc, "x = 5, 1/0", "除算が 0 で行われています。", 8, 1);
    double x = 0;
    EXPECT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(calc.expression, "x = 5, 1/0");
    EXPECT_EQ(calc.calculate("x+1"), 6);
}

TEST(calculate_test, an_out_of_range_assignment_stores_nothing) {
    cal::calculator calc;
    std::string hex = "x = 0x" + std::string(300, 'f');
    EXPECT_CALC_ERROR(calc, hex, range, -1, 0);
    double x = 0;
    EXPECT_FALSE(calc.get_variable("x", x));
    calc.set_variable("x", 7);
    std::string angle = "x = " + std::string(400, '9') + ":0";
    EXPECT_CALC_ERROR(calc, angle, range, -1, 0);
    EXPECT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, 7);
    // A subnormal angle/time value.
    std::string tiny = "x = 0." + std::string(309, '0') + "1:0";
    EXPECT_CALC_ERROR(calc, tiny, range, -1, 0);
    EXPECT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, 7);
}

TEST(calculate_test, final_operand_is_not_range_checked) {
    cal::calculator calc;
    std::string hex = "0x" + std::string(300, 'f');
    EXPECT_TRUE(std::isinf(calc.calculate(hex)));
    EXPECT_CALC_ERROR(calc, hex + "+0", range, -1, 0);
    EXPECT_CALC_ERROR(calc, "1," + hex, range, -1, 0);
}

TEST(calculate_test, the_calculator_stays_usable_after_errors) {
    cal::calculator calc;
    EXPECT_CALC_ERROR(calc, "(", "対応する右括弧が見つかりません。", 0, 1);
    EXPECT_EQ(calc.calculate("1+1"), 2);
}

TEST(calculate_test, calculate_accepts_its_own_expression) {
    cal::calculator calc;
    calc.calculate("1+2");
    EXPECT_EQ(calc.calculate(calc.expression), 3);
    EXPECT_EQ(calc.calculate(std::string_view(calc.expression).substr(2)), 2);
}

TEST(random_test, sequence_after_reset) {
    cal::reset_random();
    cal::calculator calc;
    EXPECT_EQ(calc.calculate("rand()"), 41);
    EXPECT_EQ(calc.calculate("RAND()"), 18467);
    cal::calculator other = calc;
    EXPECT_EQ(other.calculate("rand()"), 6334); // shared by all calculators
    EXPECT_EQ(calc.calculate("rand()"), 26500);
    EXPECT_EQ(cal::next_random(), 19169);
    cal::reset_random();
    EXPECT_EQ(cal::random_state(), 1u);
    EXPECT_EQ(cal::next_random(), 41);
    cal::reset_random();
}

TEST(random_test, every_evaluation_advances_it) {
    cal::reset_random();
    cal::calculator calc;
    EXPECT_EQ(calc.calculate("rand(), rand()"), 18467);
    cal::reset_random();
}

TEST(angle_test, conversions) {
    using cal::angle_unit;
    const auto outside = static_cast<angle_unit>(3);
    EXPECT_DOUBLE_EQ(cal::to_radians(180, angle_unit::degree), 3.141592653589793);
    EXPECT_DOUBLE_EQ(cal::to_radians(2, angle_unit::radian), 2);
    EXPECT_DOUBLE_EQ(cal::to_radians(200, angle_unit::grad), 3.141592653589793);
    EXPECT_EQ(cal::to_radians(5, outside), 0);
    EXPECT_EQ(cal::to_radians(5, static_cast<angle_unit>(-1)), 0);
    EXPECT_DOUBLE_EQ(cal::from_radians(3.141592653589793, angle_unit::degree), 180);
    EXPECT_DOUBLE_EQ(cal::from_radians(2, angle_unit::radian), 2);
    EXPECT_DOUBLE_EQ(cal::from_radians(3.141592653589793, angle_unit::grad), 200);
    EXPECT_EQ(cal::from_radians(5, outside), 0);
}

TEST(angle_test, stored_numbers_outside_the_range_read_as_degree) {
    EXPECT_EQ(cal::angle_unit_from_number(2), cal::angle_unit::grad);
    EXPECT_EQ(cal::angle_unit_from_number(3), cal::angle_unit::degree);
    EXPECT_EQ(cal::angle_unit_from_number(-1), cal::angle_unit::degree);
}

TEST(builtin_table_test, rows) {
    const char* names[20] = {"abs", "acos", "asin",  "atan", "ceil", "cos", "cosh", "e",    "exp", "floor",
                             "if",  "log",  "log10", "pi",   "rand", "sin", "sinh", "sqrt", "tan", "tanh"};
    const int args[20] = {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 3, 1, 1, 0, 0, 1, 1, 1, 1, 1};
    ASSERT_EQ(cal::builtin_function_table.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_STREQ(cal::builtin_function_table[static_cast<std::size_t>(i)].name, names[i]);
        EXPECT_EQ(cal::builtin_function_table[static_cast<std::size_t>(i)].arg_count, args[i]);
        std::string name = "x";
        int count = -5;
        EXPECT_TRUE(cal::builtin_function_at(i, name, count));
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(count, args[i]);
    }
    EXPECT_EQ(std::string(cal::builtin_function_table[0].description), sjis("絶対値を求める"));
    EXPECT_EQ(std::string(cal::builtin_function_table[12].description), sjis("対数を計算する(底10)"));
    EXPECT_EQ(std::string(cal::builtin_function_table[19].description),
              sjis("ハイパーボリックタンジェントを計算する"));
    std::string name = "keep";
    int count = 9;
    EXPECT_FALSE(cal::builtin_function_at(-1, name, count));
    EXPECT_FALSE(cal::builtin_function_at(20, name, count));
    EXPECT_EQ(name, "keep");
    EXPECT_EQ(count, 9);
}

TEST(hostile_input_test, long_and_deep_expressions) {
    cal::calculator calc;
    std::string sum = "1";
    for (int i = 0; i < 5000; ++i)
        sum += "+1";
    EXPECT_EQ(calc.calculate(sum), 5001);
    std::string nested(500, '(');
    nested += "2";
    nested += std::string(500, ')');
    EXPECT_EQ(calc.calculate(nested), 2);
    std::string calls;
    for (int i = 0; i < 300; ++i)
        calls += "abs(";
    calls += "-3";
    calls += std::string(300, ')');
    EXPECT_EQ(calc.calculate(calls), 3);
    std::string unbalanced(1000, '(');
    EXPECT_CALC_ERROR(calc, unbalanced + "1", "対応する右括弧が見つかりません。", 999, 1);
    std::string closers(1000, ')');
    EXPECT_CALC_ERROR(calc, "1" + closers, "対応する左括弧が見つかりません。", 1, 1);
    std::string ops(2000, '-');
    EXPECT_EQ(calc.calculate(ops + "1"), 1);
    std::string commas = "1";
    for (int i = 0; i < 1000; ++i)
        commas += ",2";
    EXPECT_EQ(calc.calculate(commas), 2);
    std::string digits(5000, '1');
    EXPECT_CALC_ERROR(calc, digits, "数字が有効範囲から外れています。", 0, 5000);
    std::string bin = "0b" + std::string(3000, '1');
    EXPECT_TRUE(std::isinf(calc.calculate(bin)));
    std::string angle = std::string(2000, '1') + ":1";
    EXPECT_TRUE(std::isinf(calc.calculate(angle)));
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    EXPECT_TRUE(engine_test::error_of(calc, bytes).raised);
    std::string with_nul("1+\0", 3);
    auto nul = engine_test::error_of(calc, with_nul); // what() stops at the NUL byte
    EXPECT_TRUE(nul.raised);
    EXPECT_EQ(nul.position, 2);
    EXPECT_EQ(nul.length, 1);
}

TEST(hostile_input_test, many_malformed_function_argument_lists) {
    cal::calculator calc;
    for (const char* text : {"if(,,)", "if(1,2,,)", "if((,),(,),(,))", "sin(,)", "if(1,2,*)", "if(*,*,*)",
                             "abs(+)", "if(=,=,=)", "sin(())", "if(1,(),3)"}) {
        auto r = engine_test::error_of(calc, text);
        EXPECT_TRUE(r.raised) << text;
    }
}

} // namespace

namespace {

TEST(hostile_input_test, over_long_radix_literal_with_zero_digits_is_nan) {
    cal::calculator calc;
    // Literally digit x base^k summed: 0 x infinity is NaN.
    EXPECT_TRUE(std::isnan(calc.calculate("0x1" + std::string(300, '0'))));
    EXPECT_TRUE(std::isnan(calc.calculate("0b" + std::string(1100, '0'))));
    EXPECT_TRUE(std::isinf(calc.calculate("0b" + std::string(1100, '1'))));
    EXPECT_CALC_ERROR(calc, "y = 0o" + std::string(400, '0'), "結果が有効範囲から外れました。", -1, 0);
    double y = 0;
    EXPECT_FALSE(calc.get_variable("y", y));
    EXPECT_EQ(calc.calculate("0x" + std::string(200, '0')), 0);
}

TEST(hostile_input_test, errors_deep_in_nested_user_functions_leave_the_engine_usable) {
    cal::calculator calc;
    calc.add_user_function("a(x)=1/x");
    calc.add_user_function("b(x)=a(x)+1");
    calc.add_user_function("c(x)=b(x)*2");
    for (int i = 0; i < 3; ++i) {
        auto r = engine_test::error_of(calc, "c(0)");
        EXPECT_TRUE(r.raised);
        EXPECT_EQ(r.position, 0);
        EXPECT_EQ(calc.calculate("c(1)"), 4);
    }
    // A long expression inside and outside.
    std::string body = "g(x)=x";
    for (int i = 0; i < 1000; ++i)
        body += "+x";
    calc.add_user_function(body);
    std::string outer = "g(1)";
    for (int i = 0; i < 100; ++i)
        outer += "+g(1)";
    EXPECT_EQ(calc.calculate(outer), 101 * 1001);
}

TEST(hostile_input_test, many_user_functions_nested_to_their_count) {
    cal::calculator calc;
    calc.add_user_function("u0(x)=x+1");
    for (int i = 1; i < 60; ++i)
        calc.add_user_function("u" + std::to_string(i) + "(x)=u" + std::to_string(i - 1) + "(x)+1");
    EXPECT_EQ(calc.calculate("u59(0)"), 60);
    cal::calculator copy = calc;
    EXPECT_EQ(copy.calculate("u59(1)"), 61);
}

} // namespace
