#pragma once
#include <string>
#include <string_view>

// Rewrites every free-standing use of the variable ans (in any letter case) in
// an expression by the text of the last committed answer, so that the history
// keeps an expression that still means the same after ans has changed.
//
// "ans" inside a longer name (answer, _ans, x2ans) is left alone. Directly
// after a number (2ans, an implicit multiplication) the answer is put in
// parentheses, giving 2(12) rather than the different number 212.
//
// The text is code page 932: the second byte of a double-byte character is
// never taken for an ASCII letter, so such characters are never split.
std::string replace_ans(std::string_view expression, std::string_view ans_text);
