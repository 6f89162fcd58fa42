#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/user_function.h"
#include "engine_test_support.h"
#include "support/sjis.h"

namespace {

std::vector<std::string> names_of(const cal::calculator& calc) {
    std::vector<std::string> names;
    for (const auto& [name, value] : calc.variables)
        names.push_back(name);
    return names;
}

TEST(variables_test, ascending_byte_order) {
    cal::calculator calc;
    calc.set_variable("b", 1);
    calc.set_variable("a", 2);
    calc.set_variable("B", 3);
    EXPECT_EQ(names_of(calc), (std::vector<std::string>{"B", "a", "b"}));
    calc.set_variable("x", 0);
    calc.set_variable("_", 0);
    calc.set_variable("Z", 0);
    calc.set_variable("A", 0);
    calc.set_variable("ans", 0);
    EXPECT_EQ(names_of(calc), (std::vector<std::string>{"A", "B", "Z", "_", "a", "ans", "b", "x"}));
    EXPECT_EQ(calc.variables.size(), 8u);
}

TEST(variables_test, get_set_erase_clear) {
    cal::calculator calc;
    double value = 42;
    EXPECT_FALSE(calc.get_variable("x", value));
    EXPECT_EQ(value, 42);
    calc.set_variable("x", 1.5);
    EXPECT_TRUE(calc.get_variable("x", value));
    EXPECT_EQ(value, 1.5);
    calc.set_variable("x", 2.5);
    EXPECT_TRUE(calc.get_variable("x", value));
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(calc.variables.size(), 1u);
    calc.set_variable("not a name!", 7); // the map does not check names
    EXPECT_TRUE(calc.get_variable("not a name!", value));
    EXPECT_TRUE(calc.erase_variable("x"));
    EXPECT_FALSE(calc.erase_variable("x"));
    EXPECT_FALSE(calc.get_variable("x", value));
    calc.clear_variables();
    EXPECT_EQ(calc.variables.size(), 0u);
    EXPECT_TRUE(calc.variables.empty());
    calc.set_variable("y", 1);
    EXPECT_EQ(calc.variables.size(), 1u);
}

TEST(variables_test, ans_is_an_ordinary_variable) {
    cal::calculator calc;
    calc.set_variable("ans", 0);
    calc.set_variable("ans", 5);
    EXPECT_EQ(calc.calculate("ans+1"), 6);
    EXPECT_CALC_ERROR(calc, "Ans+1", "変数 'Ans' は定義されていません。", 0, 3);
    EXPECT_TRUE(calc.erase_variable("ans"));
    EXPECT_CALC_ERROR(calc, "ans+1", "変数 'ans' は定義されていません。", 0, 3);
    calc.set_variable("ans", 1);
    EXPECT_EQ(calc.calculate("ans = ans + 1"), 2);
}

TEST(variables_test, values_set_by_the_owner_are_stored_unchanged) {
    cal::calculator calc;
    calc.set_variable("inf", HUGE_VAL);
    double value = 0;
    EXPECT_TRUE(calc.get_variable("inf", value));
    EXPECT_TRUE(std::isinf(value));
    EXPECT_TRUE(std::isinf(calc.calculate("inf")));
    EXPECT_CALC_ERROR(calc, "inf*1", "結果が有効範囲から外れました。", -1, 0);
}

TEST(copy_test, a_copy_is_independent) {
    cal::calculator calc;
    calc.set_variable("x", 1);
    calc.add_user_function("f(a)=a+1");
    calc.angle_mode = cal::angle_unit::radian;
    cal::calculator copy = calc;
    EXPECT_EQ(copy.calculate("x = 5"), 5);
    EXPECT_EQ(copy.calculate("y = 6"), 6);
    copy.add_user_function("g()=2");
    copy.angle_mode = cal::angle_unit::grad;
    double x = 0;
    EXPECT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, 1);
    EXPECT_FALSE(calc.get_variable("y", x));
    EXPECT_EQ(calc.user_functions.size(), 1u);
    EXPECT_EQ(copy.user_functions.size(), 2u);
    EXPECT_EQ(calc.angle_mode, cal::angle_unit::radian);
    EXPECT_CALC_ERROR(calc, "g()", "関数 'g' は定義されていません。", 0, 1);
    EXPECT_EQ(copy.calculate("g()+f(1)"), 4);
    // and the other way round
    calc.set_variable("z", 9);
    calc.clear_user_functions();
    EXPECT_FALSE(copy.get_variable("z", x));
    EXPECT_EQ(copy.user_functions.size(), 2u);
    EXPECT_EQ(copy.calculate("f(1)"), 2);
    // assignment operator
    cal::calculator third;
    third = copy;
    third.erase_variable("x");
    EXPECT_TRUE(copy.get_variable("x", x));
    EXPECT_EQ(x, 5);
    third.clear_variables();
    EXPECT_EQ(copy.variables.size(), 2u);
}

struct definition_case {
    std::string text;
    std::string name;
    std::vector<std::string> parameters;
    std::string definition;
    std::string description;
};

std::ostream& operator<<(std::ostream& out, const definition_case& c) { return out << c.text; }

class parse_definition_test : public testing::TestWithParam<definition_case> {};

TEST_P(parse_definition_test, fills_the_fields) {
    const auto& c = GetParam();
    cal::user_function f;
    f.name = "old";
    f.description = "old";
    f.parameters = {"old"};
    f.parse_definition(c.text);
    EXPECT_EQ(f.name, c.name);
    EXPECT_EQ(f.parameters, c.parameters);
    EXPECT_EQ(f.definition, c.definition);
    EXPECT_EQ(f.description, c.description);
}

INSTANTIATE_TEST_SUITE_P(cases, parse_definition_test,
                         testing::Values(definition_case{"f(x)=x*2//twice", "f", {"x"}, "x*2", "twice"},
                                         definition_case{"g()=pi()*2", "g", {}, "pi()*2", ""},
                                         definition_case{"area(w, h)=w*h", "area", {"w", "h"}, "w*h", ""},
                                         definition_case{"f(x)=x //a//b", "f", {"x"}, "x ", "a//b"},
                                         definition_case{"k(x)=//note", "k", {"x"}, "", "note"},
                                         definition_case{
                                             "  f( x , y ) junk = x+y", "f", {"x", "y"}, " x+y", ""},
                                         definition_case{"f(x,)=x", "f", {"x"}, "x", ""},
                                         definition_case{"f(x,x)=x", "f", {"x", "x"}, "x", ""},
                                         definition_case{"sin(x)=x", "sin", {"x"}, "x", ""},
                                         definition_case{"f(x)=a=b//c=d", "f", {"x"}, "a=b", "c=d"}));

struct definition_error_case {
    std::string text;
    std::string message;
    std::int32_t position;
    std::int32_t length;
    cal::definition_part part;
};

std::ostream& operator<<(std::ostream& out, const definition_error_case& c) { return out << c.text; }

class parse_definition_error_test : public testing::TestWithParam<definition_error_case> {};

TEST_P(parse_definition_error_test, raises) {
    const auto& c = GetParam();
    cal::calculator calc;
    calc.add_user_function("keep()=1");
    try {
        calc.add_user_function(c.text);
        FAIL() << "no error for " << c.text;
    } catch (const cal::calculator_error& e) {
        EXPECT_EQ(utf8_from_sjis(e.what()), c.message);
        EXPECT_EQ(e.position, c.position);
        EXPECT_EQ(e.length, c.length);
        EXPECT_EQ(e.part, c.part);
    }
    EXPECT_EQ(calc.user_functions.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    cases, parse_definition_error_test,
    testing::Values(definition_error_case{"f (x)=x", "'f' は関数名として利用できません。", 1, 0, cal::definition_part::name},
                    definition_error_case{"1(x)=x", "'1' は関数名として利用できません。", 1, 0, cal::definition_part::name},
                    definition_error_case{"f(1)=1", "'1' は引数名として利用できません。", 2, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x y)=x", "不正な関数定義です。", 0, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x=1", "不正な関数定義です。", 0, 0, cal::definition_part::parameters},
                    definition_error_case{"f(=1", "'(' は引数名として利用できません。", 2, 0, cal::definition_part::parameters},
                    definition_error_case{"f(#)=1", "'(' は引数名として利用できません。", 2, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x)", "関数定義に '=' がありません。", 0, 0, cal::definition_part::definition},
                    definition_error_case{"", "関数定義に '=' がありません。", 0, 0, cal::definition_part::definition},
                    definition_error_case{"#=1", "認識できない文字が使われています", 0, 1, cal::definition_part::name},
                    definition_error_case{"  #=1", "認識できない文字が使われています", 2, 1, cal::definition_part::name},
                    definition_error_case{"=1", "認識できない文字が使われています", 0, 1, cal::definition_part::name},
                    definition_error_case{"   =1", "認識できない文字が使われています", 3, 1, cal::definition_part::name},
                    // position is the byte offset here, part still the name
                    definition_error_case{"  @f(x)=x", "認識できない文字が使われています", 2, 1, cal::definition_part::name},
                    definition_error_case{"f(x,", "関数定義に '=' がありません。", 0, 0, cal::definition_part::definition},
                    definition_error_case{"f(x,=1", "',' は引数名として利用できません。", 2, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x,1)=1", "'1' は引数名として利用できません。", 2, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x;)=1", "不正な関数定義です。", 0, 0, cal::definition_part::parameters},
                    definition_error_case{"f(x+y)=1", "不正な関数定義です。", 0, 0, cal::definition_part::parameters},
                    definition_error_case{"x=1", "'x' は関数名として利用できません。", 1, 0, cal::definition_part::name},
                    definition_error_case{"+=1", "'+' は関数名として利用できません。", 1, 0, cal::definition_part::name}));

TEST(parse_definition_error_test, a_bad_character_after_the_name_in_head) {
    // The name is always directly followed by "(", so the second token is "(".
    cal::user_function f;
    f.parse_definition("f()=1");
    EXPECT_EQ(f.name, "f");
    EXPECT_TRUE(f.parameters.empty());
}

TEST(user_function_test, calls) {
    cal::calculator calc;
    calc.add_user_function("f(x)=x*2//twice");
    calc.add_user_function("g()=pi()*2");
    calc.add_user_function("area(w, h)=w*h");
    EXPECT_EQ(calc.calculate("f(3)"), 6);
    EXPECT_EQ(calc.calculate("F(3)"), 6);
    EXPECT_DOUBLE_EQ(calc.calculate("g()"), 2 * 3.141592653589793);
    EXPECT_EQ(calc.calculate("area(2, 3)"), 6);
    EXPECT_EQ(calc.calculate("2area(2, f(3))+1"), 25);
    EXPECT_CALC_ERROR(calc, "area(2)", "引数が 2つ必要です。", 0, 4);
    EXPECT_CALC_ERROR(calc, "g(1)", "引数が 0つ必要です。", 0, 1);
}

TEST(user_function_test, inherits_the_angle_mode_and_sees_other_functions) {
    cal::calculator calc;
    calc.add_user_function("s(x)=sin(x)");
    calc.add_user_function("t(x)=s(x)*2");
    EXPECT_NEAR(calc.calculate("t(30)"), 1, 1e-15);
    calc.angle_mode = cal::angle_unit::grad;
    EXPECT_NEAR(calc.calculate("t(100)"), 2, 1e-15);
}

TEST(user_function_test, errors_are_wrapped) {
    cal::calculator calc;
    calc.add_user_function("f(x)=1/x");
    calc.add_user_function("r(x)=sqrt(x)");
    calc.add_user_function("self(x)=self(x)");
    calc.add_user_function("h(x)=x+y");
    calc.add_user_function("k(x)=//note");
    calc.set_variable("y", 1);
    EXPECT_CALC_ERROR(calc, "f(0)",
                      "ユーザー関数の計算中にエラーが発生しました。(f: 除算が 0 で行われています。[1文字目])",
                      0, 1);
    EXPECT_CALC_ERROR(calc, "1+F(0)",
                      "ユーザー関数の計算中にエラーが発生しました。(F: 除算が 0 で行われています。[1文字目])",
                      2, 1);
    EXPECT_CALC_ERROR(
        calc, "r(-1)",
        "ユーザー関数の計算中にエラーが発生しました。(r: 結果が有効範囲から外れました。[-1文字目])", 0, 1);
    EXPECT_CALC_ERROR(
        calc, "SELF(1)",
        "ユーザー関数の計算中にエラーが発生しました。(SELF: 関数 'self' は定義されていません。[0文字目])", 0,
        4);
    EXPECT_CALC_ERROR(
        calc, "h(1)",
        "ユーザー関数の計算中にエラーが発生しました。(h: 変数 'y' は定義されていません。[2文字目])", 0, 1);
    EXPECT_CALC_ERROR(calc, "k(1)", "ユーザー関数の計算中にエラーが発生しました。(k: 式が空です。[0文字目])",
                      0, 1);
}

TEST(user_function_test, nested_wrapping_and_no_recursion) {
    cal::calculator calc;
    calc.add_user_function("a(x)=b(x)");
    calc.add_user_function("b(x)=a(x)");
    EXPECT_CALC_ERROR(
        calc, "a(1)",
        "ユーザー関数の計算中にエラーが発生しました。(a: ユーザー関数の計算中にエラーが発生しました。"
        "(b: 関数 'a' は定義されていません。[0文字目])[0文字目])",
        0, 1);
}

TEST(user_function_test, the_body_sees_only_its_parameters_and_assignments_vanish) {
    cal::calculator calc;
    calc.add_user_function("set(x)=z=x, z*2");
    calc.add_user_function("dup(x, x)=x");
    calc.set_variable("ans", 3);
    calc.add_user_function("useans()=ans");
    EXPECT_EQ(calc.calculate("set(4)"), 8);
    double z = 0;
    EXPECT_FALSE(calc.get_variable("z", z));
    EXPECT_EQ(calc.calculate("dup(1, 2)"), 2);
    EXPECT_CALC_ERROR(
        calc, "useans()",
        "ユーザー関数の計算中にエラーが発生しました。(useans: 変数 'ans' は定義されていません。[0文字目])", 0,
        6);
}

TEST(user_function_test, first_of_equal_names_wins_and_builtins_come_first) {
    cal::calculator calc;
    calc.add_user_function("f(x)=1");
    calc.add_user_function("F(x)=2");
    calc.add_user_function("sin(x)=99");
    EXPECT_EQ(calc.calculate("f(0)"), 1);
    EXPECT_EQ(calc.calculate("sin(0)"), 0);
}

TEST(user_function_test, removing_entries_in_nested_calls) {
    cal::calculator calc;
    calc.add_user_function("a()=1");
    calc.add_user_function("b()=a()+10");
    calc.add_user_function("c()=b()+a()+100");
    calc.add_user_function("d()=c()+b()+1000");
    EXPECT_EQ(calc.calculate("d()"), 1123);
    EXPECT_EQ(calc.calculate("c()+d()"), 112 + 1123);
}

TEST(user_function_list_test, iteration_and_without) {
    cal::calculator calc;
    calc.add_user_function("a()=1");
    calc.add_user_function("b()=2");
    calc.add_user_function("c()=3");
    std::vector<std::string> names;
    for (const cal::user_function& f : calc.user_functions)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));
    auto without_b = calc.user_functions.without(1);
    ASSERT_EQ(without_b.size(), 2u);
    EXPECT_EQ(without_b[0].name, "a");
    EXPECT_EQ(without_b[1].name, "c");
    auto only_a = without_b.without(1);
    ASSERT_EQ(only_a.size(), 1u);
    EXPECT_EQ(only_a[0].name, "a");
    auto none = only_a.without(0);
    EXPECT_EQ(none.size(), 0u);
    EXPECT_TRUE(none.begin() == none.end());
    auto without_a = calc.user_functions.without(0).without(0);
    ASSERT_EQ(without_a.size(), 1u);
    EXPECT_EQ(without_a[0].name, "c");
    names.clear();
    for (const auto& f : without_b)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "c"}));
    cal::user_function d;
    d.parse_definition("d()=4");
    without_b.push_back(d);
    ASSERT_EQ(without_b.size(), 3u);
    EXPECT_EQ(without_b[2].name, "d");
    EXPECT_EQ(calc.user_functions.size(), 3u);
    EXPECT_EQ(calc.user_functions[1].name, "b");
}

} // namespace

namespace {

TEST(variable_table_test, lookup_helpers_and_sharing) {
    cal::variable_table a;
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.begin(), a.end());
    EXPECT_FALSE(a.contains("x"));
    EXPECT_FALSE(a.erase("x"));
    a.set("x", 1);
    cal::variable_table b = a;
    EXPECT_TRUE(a == b);
    b.set("x", 2);
    EXPECT_FALSE(a == b);
    EXPECT_EQ(a.at("x"), 1);
    EXPECT_EQ(b.at("x"), 2);
    EXPECT_EQ(a.count("x"), 1u);
    EXPECT_EQ(a.count("y"), 0u);
    EXPECT_THROW(a.at("y"), std::out_of_range);
    EXPECT_NE(a.find("x"), a.end());
    cal::variable_table c = a;
    c.erase("x");
    EXPECT_TRUE(a.contains("x"));
    EXPECT_TRUE(c.empty());
}

TEST(argument_count_test, nested_parentheses_are_not_arguments) {
    cal::calculator calc;
    EXPECT_CALC_ERROR(calc, "sin(())", "引数が 1つ必要です。", 0, 3);
    EXPECT_CALC_ERROR(calc, "if((),(),())", "引数が 3つ必要です。", 0, 2);
    EXPECT_EQ(calc.calculate("abs(((-1)))"), 1);
    // The commas inside (1,5) leave 0 1 5 2 on the stack: if takes 1, 5, 2.
    EXPECT_EQ(calc.calculate("if((0),(1,5),(2))"), 5);
    EXPECT_DOUBLE_EQ(calc.calculate("pi(())"), 3.141592653589793);
    EXPECT_CALC_ERROR(calc, "abs(-1))+0", "対応する左括弧が見つかりません。", 7, 1);
}

} // namespace

namespace {

// User functions that call one another beyond the bounds of an evaluation.
std::vector<std::string> chain(int count) { // c0 calls c1 ... calls c<count-1>
    std::vector<std::string> texts;
    for (int i = 0; i + 1 < count; ++i)
        texts.push_back("c" + std::to_string(i) + "(x)=c" + std::to_string(i + 1) + "(x)+1");
    texts.push_back("c" + std::to_string(count - 1) + "(x)=x");
    return texts;
}

std::vector<std::string> reversed(std::vector<std::string> texts) { return {texts.rbegin(), texts.rend()}; }

std::vector<std::string> fan_out(int levels, int calls) { // each of w0 ... calls the next `calls` times
    std::vector<std::string> texts;
    for (int i = 0; i + 1 < levels; ++i) {
        std::string body;
        for (int k = 0; k < calls; ++k)
            body += (k ? "+w" : "w") + std::to_string(i + 1) + "(x)";
        texts.push_back("w" + std::to_string(i) + "(x)=" + body);
    }
    texts.push_back("w" + std::to_string(levels - 1) + "(x)=x");
    return texts;
}

std::string nested_calls(const std::string& name, int depth, const std::string& argument) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += name + "(";
    return text + argument + std::string(static_cast<std::size_t>(depth), ')');
}

struct limit_case {
    const char* label;
    std::vector<std::string> functions;
    std::string expression;
    std::string message; // empty: the value is `value`
    std::int32_t position;
    std::int32_t length;
    double value = 0;
};

std::ostream& operator<<(std::ostream& out, const limit_case& c) { return out << c.label; }

class evaluation_limit_test : public testing::TestWithParam<limit_case> {};

const char* const too_deep = "ユーザー関数の呼び出しの入れ子が 256 段を超えました。";
const char* const too_much = "計算量が上限を超えたため、計算を打ち切りました。";

TEST_P(evaluation_limit_test, fails_as_an_ordinary_error_and_leaves_the_calculator_usable) {
    const auto& c = GetParam();
    cal::calculator calc;
    for (const auto& text : c.functions)
        calc.add_user_function(text);
    calc.set_variable("kept", 1);
    if (c.message.empty()) {
        EXPECT_EQ(calc.calculate(c.expression), c.value);
    } else {
        EXPECT_CALC_ERROR(calc, c.expression, c.message, c.position, c.length);
    }
    EXPECT_EQ(calc.calculate("kept + 1"), 2);
}

INSTANTIATE_TEST_SUITE_P(
    cases, evaluation_limit_test,
    testing::Values(
        limit_case{"chain_of_256", chain(256), "c0(1)", "", 0, 0, 256},
        limit_case{"chain_of_257", chain(257), "1+C0(1)", too_deep, 2, 2},
        limit_case{"chain_of_4096_listed_in_reverse", reversed(chain(4096)), "c0(1)", too_deep, 0, 2},
        limit_case{"thirty_calling_the_next_twice", fan_out(30, 2), "2*w0(1)", too_much, 2, 2},
        limit_case{"three_calling_the_next_3000_times", fan_out(3, 3000), "w0(1)", too_much, 0, 2},
        limit_case{
            "long_bodies",
            {"big(x)=x" + std::string(200000, '+') + "x", "fan(x)=big(x)+big(x)+big(x)+big(x)+big(x)+big(x)"},
            "fan(1)",
            too_much,
            0,
            3},
        limit_case{"an_expression_longer_than_the_budget",
                   {},
                   "1" + std::string(1000000, '+') + "1",
                   too_much,
                   -1,
                   0},
        limit_case{"the_budget_is_per_evaluation", fan_out(2, 500), "w0(1)+w0(1)", "", 0, 0, 1000},
        // The parser and the evaluator keep their own stacks: nesting within one
        // expression takes no stack of the thread, however deep.
        limit_case{"parentheses_nested_200000_deep",
                   {},
                   std::string(200000, '(') + "-1" + std::string(200000, ')'),
                   "",
                   0,
                   0,
                   -1},
        limit_case{"built_in_calls_nested_100000_deep", {}, nested_calls("abs", 100000, "-1"), "", 0, 0, 1}));

} // namespace
