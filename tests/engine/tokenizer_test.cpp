#include "engine/tokenizer.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "engine/calculator_error.h"
#include "engine/operator_table.h"
#include "support/sjis.h"

namespace {

using namespace cal;

struct expected_token {
    std::string text;
    std::int32_t kind;
    std::int32_t position;
};

struct tokenize_case {
    std::string input;
    std::vector<expected_token> tokens;
};

class tokenize_test : public testing::TestWithParam<tokenize_case> {};

TEST_P(tokenize_test, cuts_the_text_into_tokens) {
    const auto& c = GetParam();
    auto tokens = tokenize(c.input);
    ASSERT_EQ(tokens.size(), c.tokens.size()) << c.input;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(std::string(tokens[i].text), c.tokens[i].text) << c.input << " token " << i;
        EXPECT_EQ(number_of(tokens[i].kind), c.tokens[i].kind) << c.input << " token " << i;
        EXPECT_EQ(tokens[i].position, c.tokens[i].position) << c.input << " token " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    cases, tokenize_test,
    testing::Values(
        tokenize_case{"1.2.3", {{"1.2", 28, 0}, {".3", 28, 3}}}, tokenize_case{"2e", {{"2e", 28, 0}}},
        tokenize_case{"2e()", {{"2e", 28, 0}, {"(", 27, 2}, {")", 26, 3}}},
        tokenize_case{"1e+5-1", {{"1e+5", 28, 0}, {"-", 2, 4}, {"1", 28, 5}}},
        tokenize_case{"1E-", {{"1E-", 28, 0}}}, tokenize_case{"1:30e2", {{"1:30", 32, 0}, {"e2", 33, 4}}},
        tokenize_case{"0x1fz", {{"0x1fz", 31, 0}}}, tokenize_case{"0b1_0", {{"0b1", 29, 0}, {"_0", 33, 3}}},
        tokenize_case{"0O17 0B1 0X", {{"0O17", 30, 0}, {"0B1", 29, 5}, {"0X", 31, 9}}},
        tokenize_case{"sin (30)", {{"sin", 33, 0}, {"(", 27, 4}, {"30", 28, 5}, {")", 26, 7}}},
        tokenize_case{"sin(30)", {{"sin", 34, 0}, {"(", 27, 3}, {"30", 28, 4}, {")", 26, 6}}},
        tokenize_case{"1,000", {{"1", 28, 0}, {",", 25, 1}, {"000", 28, 2}}},
        tokenize_case{"x_1 _x", {{"x_1", 33, 0}, {"_x", 33, 4}}},
        tokenize_case{"1x", {{"1", 28, 0}, {"x", 33, 1}}}, tokenize_case{"+-", {{"+", 1, 0}, {"-", 2, 1}}},
        tokenize_case{"**-", {{"**", 0, 0}, {"-", 2, 2}}}, tokenize_case{"=<", {{"=", 24, 0}, {"<", 13, 1}}},
        tokenize_case{"&&&", {{"&&", 22, 0}, {"&", 19, 2}}},
        tokenize_case{"* <<>>,<=>=!=== ||| ^~!%/",
                      {{"*", 5, 0},
                       {"<<", 11, 2},
                       {">>", 12, 4},
                       {",", 25, 6},
                       {"<=", 15, 7},
                       {">=", 16, 9},
                       {"!=", 18, 11},
                       {"==", 17, 13},
                       {"||", 23, 16},
                       {"|", 21, 18},
                       {"^", 20, 20},
                       {"~", 4, 21},
                       {"!", 3, 22},
                       {"%", 8, 23},
                       {"/", 7, 24}}},
        tokenize_case{"\t\r\n 1 ", {{"1", 28, 4}}}, tokenize_case{"1:2:3:4", {{"1:2:3:4", 32, 0}}},
        tokenize_case{":30", {{":30", 32, 0}}},
        tokenize_case{"1.5:30.5.5", {{"1.5:30", 32, 0}, {".5", 28, 6}, {".5", 28, 8}}},
        tokenize_case{"(x)", {{"(", 27, 0}, {"x", 33, 1}, {")", 26, 2}}}));

struct error_case {
    std::string input;
    std::string message; // UTF-8
    std::int32_t position;
    std::int32_t length;
};

class tokenize_error_test : public testing::TestWithParam<error_case> {};

TEST_P(tokenize_error_test, raises) {
    const auto& c = GetParam();
    try {
        tokenize(c.input);
        FAIL() << "no error for " << c.input;
    } catch (const calculator_error& e) {
        EXPECT_EQ(std::string(e.what()), sjis(c.message)) << utf8_from_sjis(e.what());
        EXPECT_EQ(e.position, c.position);
        EXPECT_EQ(e.length, c.length);
    }
}

INSTANTIATE_TEST_SUITE_P(cases, tokenize_error_test,
                         testing::Values(error_case{"", "式が空です。", 0, 0},
                                         error_case{"   ", "式が空です。", 0, 0},
                                         error_case{"#", "文字 '#' は認識できません。", 0, 1},
                                         error_case{"2 # 3", "文字 '#' は認識できません。", 2, 1},
                                         error_case{"1+$", "文字 '$' は認識できません。", 2, 1},
                                         error_case{"1 @", "文字 '@' は認識できません。", 2, 1}));

TEST(tokenize_error_test, a_byte_of_0x80_or_more_is_unrecognised) {
    for (int b = 0x80; b <= 0xff; ++b) {
        std::string text = "1+";
        text += static_cast<char>(b);
        text += "2";
        try {
            tokenize(text);
            FAIL() << b;
        } catch (const calculator_error& e) {
            std::string expected = sjis("文字 '") + static_cast<char>(b) + sjis("' は認識できません。");
            EXPECT_EQ(std::string(e.what()), expected);
            EXPECT_EQ(e.position, 2);
            EXPECT_EQ(e.length, 1);
        }
    }
    // A double-byte character is quoted whole.
    try {
        tokenize(sjis("x=あ"));
        FAIL();
    } catch (const calculator_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  sjis("文字 'あ' は認識できません。"));
        EXPECT_EQ(e.position, 2);
    }
}

TEST(recognize_token_test, does_not_skip_blanks_and_leaves_the_cursor_on_failure) {
    std::size_t cursor = 0;
    token t;
    EXPECT_FALSE(recognize_token(" 1", cursor, t));
    EXPECT_EQ(cursor, 0u);
    cursor = 1;
    ASSERT_TRUE(recognize_token(" 12+", cursor, t));
    EXPECT_EQ(t.text, "12");
    EXPECT_EQ(t.kind, token_kind::decimal_literal);
    EXPECT_EQ(t.position, 1);
    EXPECT_EQ(cursor, 3u);
    cursor = 0;
    EXPECT_FALSE(recognize_token("#", cursor, t));
    EXPECT_EQ(cursor, 0u);
    cursor = 5;
    EXPECT_FALSE(recognize_token("ab", cursor, t));
}

// operand_value
struct value_case {
    std::string text;
    std::int32_t kind;
    double value;
};

class operand_value_test : public testing::TestWithParam<value_case> {};

TEST_P(operand_value_test, converts_literals) {
    const auto& c = GetParam();
    variable_table vars;
    vars.set("x", 4.5);
    token t{c.text, static_cast<token_kind>(c.kind), 0};
    EXPECT_DOUBLE_EQ(operand_value(t, vars), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    cases, operand_value_test,
    testing::Values(value_case{"1e", 28, 1}, value_case{"1e+", 28, 1}, value_case{".", 28, 0},
                    value_case{"5.", 28, 5}, value_case{"1e-300", 28, 1e-300}, value_case{"0e-999", 28, 0},
                    value_case{"0.0", 28, 0}, value_case{"000", 28, 0}, value_case{"1.5e3", 28, 1500},
                    value_case{"1.7976931348623157e308", 28, 1.7976931348623157e308},
                    value_case{"2.2250738585072014e-308", 28, 2.2250738585072014e-308},
                    value_case{"0b101", 29, 5}, value_case{"0B0", 29, 0}, value_case{"0o777", 30, 511},
                    value_case{"0x1F", 31, 31}, value_case{"0XfF", 31, 255},
                    value_case{"0xFFFFFFFF", 31, 4294967295.0}, value_case{"1:30", 32, 1.5},
                    value_case{"1:30:36", 32, 1.51}, value_case{"1::36", 32, 1.01},
                    value_case{":30", 32, 0.5}, value_case{"1.5:30", 32, 2},
                    value_case{"0:0:30.5", 32, 30.5 / 3600}, value_case{"1:", 32, 1}, value_case{":", 32, 0},
                    value_case{".:.", 32, 0}, value_case{"x", 33, 4.5}, value_case{"(", 27, 0},
                    value_case{"+", 1, 0}, value_case{"sin", 34, 0}));

class operand_error_test : public testing::TestWithParam<error_case> {};

TEST_P(operand_error_test, raises_with_the_token_position_and_length) {
    const auto& c = GetParam();
    variable_table vars;
    std::string text = c.input;
    token_kind kind = token_kind::decimal_literal;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B'))
        kind = token_kind::binary_literal;
    else if (text.size() > 1 && text[0] == '0' && (text[1] == 'o' || text[1] == 'O'))
        kind = token_kind::octal_literal;
    else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        kind = token_kind::hex_literal;
    else if (text.find(':') != std::string::npos)
        kind = token_kind::angle_time_literal;
    else if (text[0] >= 'A')
        kind = token_kind::identifier;
    token t{text, kind, 7};
    try {
        operand_value(t, vars);
        FAIL() << "no error for " << c.input;
    } catch (const calculator_error& e) {
        EXPECT_EQ(utf8_from_sjis(e.what()), c.message) << c.input;
        EXPECT_EQ(e.position, 7);
        EXPECT_EQ(e.length, static_cast<std::int32_t>(text.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    cases, operand_error_test,
    testing::Values(error_case{"1e400", "数字が有効範囲から外れています。", 0, 0},
                    error_case{"1e-400", "数字が有効範囲から外れています。", 0, 0},
                    error_case{"1e-310", "数字が有効範囲から外れています。", 0, 0},
                    error_case{"1.7976931348623159e308", "数字が有効範囲から外れています。", 0, 0},
                    error_case{"4.9406564584124654e-324", "数字が有効範囲から外れています。", 0, 0},
                    error_case{
                        "0.00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000000001",
                        "数字が有効範囲から外れています。", 0, 0},
                    error_case{std::string(400, '9'), "数字が有効範囲から外れています。", 0, 0},
                    error_case{"1e99999999999999999999", "数字が有効範囲から外れています。", 0, 0},
                    error_case{"0x", "'0x' の後には少なくとも1つの数字が必要です。", 0, 0},
                    error_case{"0X", "'0X' の後には少なくとも1つの数字が必要です。", 0, 0},
                    error_case{"0b", "'0b' の後には少なくとも1つの数字が必要です。", 0, 0},
                    error_case{"0O", "'0O' の後には少なくとも1つの数字が必要です。", 0, 0},
                    error_case{"0x1fz", "文字 'z' は適切な16進数文字ではありません。", 0, 0},
                    error_case{"0B102", "文字 '2' は適切な2進数文字ではありません。", 0, 0},
                    error_case{"0o78", "文字 '8' は適切な8進数文字ではありません。", 0, 0},
                    error_case{"0b1a2", "文字 'a' は適切な2進数文字ではありません。", 0, 0},
                    error_case{"1:2:3:4", "適切な角度または時間表現ではありません。", 0, 0},
                    error_case{":::", "適切な角度または時間表現ではありません。", 0, 0},
                    error_case{"X", "変数 'X' は定義されていません。", 0, 0}));

TEST(operand_value_test, over_long_radix_literals_lose_precision_or_become_infinite) {
    variable_table vars;
    std::string hex = "0x" + std::string(300, 'f');
    token t{hex, token_kind::hex_literal, 0};
    EXPECT_TRUE(std::isinf(operand_value(t, vars)));
    std::string bin = "0b1" + std::string(70, '0');
    token b{bin, token_kind::binary_literal, 0};
    EXPECT_DOUBLE_EQ(operand_value(b, vars), std::pow(2.0, 70));
}

TEST(operand_value_test, over_long_angle_segments_follow_strtod) {
    variable_table vars;
    std::string big = std::string(400, '9') + ":0";
    token t{big, token_kind::angle_time_literal, 0};
    EXPECT_TRUE(std::isinf(operand_value(t, vars)));
    std::string tiny = "1:0." + std::string(400, '0') + "1";
    token u{tiny, token_kind::angle_time_literal, 0};
    EXPECT_EQ(operand_value(u, vars), 1.0);
}

TEST(operator_table_test, rows) {
    const char* symbols[26] = {"**", "+", "-",  "!",  "~",  "*",  "*", "/", "%", "+",  "-",  "<<", ">>",
                               "<",  ">", "<=", ">=", "==", "!=", "&", "^", "|", "&&", "||", "=",  ","};
    const int levels[26] = {3, 2, 2, 2, 2, 4, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 7, 7, 7, 9, 9, 9, 10, 10, 11, 12};
    const bool right[26] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    for (int i = 0; i < 26; ++i) {
        EXPECT_STREQ(operator_table[static_cast<std::size_t>(i)].symbol, symbols[i]) << i;
        EXPECT_EQ(operator_table[static_cast<std::size_t>(i)].level, levels[i]) << i;
        EXPECT_EQ(operator_table[static_cast<std::size_t>(i)].right_associative, right[i]) << i;
    }
}

} // namespace
