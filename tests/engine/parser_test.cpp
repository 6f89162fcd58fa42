#include "engine/parser.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/evaluator.h"
#include "engine/tokenizer.h"
#include "support/sjis.h"

namespace {

using namespace cal;

std::string describe(const std::vector<token>& tokens) {
    std::string out;
    for (const auto& t : tokens) {
        if (!out.empty())
            out += ' ';
        out += std::string(t.text) + "#" + std::to_string(number_of(t.kind));
    }
    return out;
}

struct parse_case {
    std::string expression;
    std::string prepared;
    std::string postfix;
};

std::ostream& operator<<(std::ostream& out, const parse_case& c) { return out << c.expression; }

class parser_test : public testing::TestWithParam<parse_case> {};

TEST_P(parser_test, prepares_and_converts) {
    const auto& c = GetParam();
    user_function_list functions;
    user_function f;
    f.parse_definition("f(a, b)=a+b");
    functions.push_back(f);
    auto tokens = tokenize(c.expression);
    std::vector<token> prepared;
    prepare_tokens(tokens, functions, prepared);
    EXPECT_EQ(describe(prepared), c.prepared);
    EXPECT_EQ(describe(to_postfix(prepared)), c.postfix);
    prepare_tokens(tokens, functions); // in-place form
    EXPECT_EQ(describe(tokens), c.prepared);
}

INSTANTIATE_TEST_SUITE_P(
    cases, parser_test,
    testing::Values(
        parse_case{"2x+sin(30)", "2#28 *#6 x#33 +#9 sin#49 (#27 30#28 )#26",
                   "2#28 x#33 *#6 30#28 sin#49 +#9"},
        parse_case{"1/2x", "1#28 /#7 2#28 *#6 x#33", "1#28 2#28 x#33 *#6 /#7"},
        parse_case{"2**3x**2", "2#28 **#0 3#28 *#6 x#33 **#0 2#28", "2#28 3#28 x#33 *#6 **#0 2#28 **#0"},
        parse_case{"(2)(3)", "(#27 2#28 )#26 *#6 (#27 3#28 )#26", "2#28 3#28 *#6"},
        parse_case{"-2**2", "-#2 2#28 **#0 2#28", "2#28 -#2 2#28 **#0"},
        parse_case{"2**3**2", "2#28 **#0 3#28 **#0 2#28", "2#28 3#28 2#28 **#0 **#0"},
        parse_case{"a = b = 3", "a#33 =#24 b#33 =#24 3#28", "a#33 b#33 3#28 =#24 =#24"},
        parse_case{"f(1, 2)", "f#54 (#27 1#28 ,#25 2#28 )#26", "1#28 2#28 ,#25 f#54"},
        parse_case{"F(1,2)-1", "F#54 (#27 1#28 ,#25 2#28 )#26 -#10 1#28", "1#28 2#28 ,#25 F#54 1#28 -#10"},
        parse_case{"0x10(2)", "0x10#31 (#27 2#28 )#26", "0x10#31 2#28"},
        parse_case{"x (2)", "x#33 (#27 2#28 )#26", "x#33 2#28"},
        parse_case{"2pi()", "2#28 *#6 pi#47 (#27 )#26", "2#28 pi#47 *#6"},
        parse_case{"1:30-x", "1:30#32 -#10 x#33", "1:30#32 x#33 -#10"},
        parse_case{"5!", "5#28 !#3", "5#28 !#3"},
        parse_case{"1<<2+3", "1#28 <<#11 2#28 +#9 3#28", "1#28 2#28 3#28 +#9 <<#11"},
        parse_case{"1 | 2 & 3 ^ 4", "1#28 |#21 2#28 &#19 3#28 ^#20 4#28",
                   "1#28 2#28 |#21 3#28 &#19 4#28 ^#20"},
        parse_case{"1,2=3", "1#28 ,#25 2#28 =#24 3#28", "1#28 2#28 3#28 =#24 ,#25"},
        parse_case{"if(1,2,+)", "if#44 (#27 1#28 ,#25 2#28 ,#25 +#1 )#26", "1#28 2#28 ,#25 +#1 ,#25 if#44"}));

TEST(parser_test, function_arg_count) {
    user_function_list functions;
    user_function f;
    f.parse_definition("f(a, b, c)=a");
    functions.push_back(f);
    EXPECT_EQ(function_arg_count(builtin_function_kind(0), functions), 1);
    EXPECT_EQ(function_arg_count(builtin_function_kind(10), functions), 3);
    EXPECT_EQ(function_arg_count(builtin_function_kind(13), functions), 0);
    EXPECT_EQ(function_arg_count(user_function_kind(0), functions), 3);
    EXPECT_EQ(function_arg_count(user_function_kind(1), functions), -1);
    EXPECT_EQ(function_arg_count(token_kind::identifier, functions), -1);
}

TEST(evaluator_test, evaluate_postfix_directly) {
    calculator calc;
    std::string text = "x = 2, x * 3";
    auto tokens = tokenize(text);
    prepare_tokens(tokens, calc.user_functions);
    auto postfix = to_postfix(tokens);
    EXPECT_EQ(evaluate_postfix(postfix, calc), 6);
    double x = 0;
    EXPECT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, 2);
    EXPECT_TRUE(out_of_range(1e-310));
    EXPECT_TRUE(out_of_range(HUGE_VAL));
    EXPECT_TRUE(out_of_range(-HUGE_VAL));
    EXPECT_TRUE(out_of_range(std::nan("")));
    EXPECT_FALSE(out_of_range(0.0));
    EXPECT_FALSE(out_of_range(-0.0));
    EXPECT_FALSE(out_of_range(2.2250738585072014e-308));
}

} // namespace
