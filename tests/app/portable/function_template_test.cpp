#include "app/function_template.h"

#include <gtest/gtest.h>

namespace {

struct signature_case {
    const char* text;
    const char* name;
    int arg_count;
};

class user_function_signature_test : public testing::TestWithParam<signature_case> {};

TEST_P(user_function_signature_test, reads_name_and_argument_count) {
    const function_signature got = user_function_signature(GetParam().text);
    EXPECT_EQ(got.name, GetParam().name);
    EXPECT_EQ(got.arg_count, GetParam().arg_count);
}

INSTANTIATE_TEST_SUITE_P(cases, user_function_signature_test,
                         testing::Values(signature_case{"f()=1//one", "f", 0},
                                         signature_case{"f(x)=x*2//", "f", 1},
                                         signature_case{"f(a,b)=a+b//sum", "f", 2},
                                         signature_case{"area(w,h,d)=w*h*d", "area", 3},
                                         // commas of the definition do not count
                                         signature_case{"g(x)=max(x,1)//a,b", "g", 1},
                                         // a lone comma still separates two (empty) arguments
                                         signature_case{"h(,)=1", "h", 2},
                                         // damaged texts: no "(" or no ")"
                                         signature_case{"k", "k", 0}, signature_case{"", "", 0},
                                         signature_case{"m(a,b", "m", 2}, signature_case{"n)(x", "n)", 1}));

struct template_case {
    const char* name;
    int arg_count;
    const char* text;
    int caret_back;
};

class make_function_template_test : public testing::TestWithParam<template_case> {};

TEST_P(make_function_template_test, puts_the_caret_after_the_opening_parenthesis) {
    const function_template got = make_function_template(GetParam().name, GetParam().arg_count);
    EXPECT_EQ(got.text, GetParam().text);
    EXPECT_EQ(got.caret_back, GetParam().caret_back);
}

INSTANTIATE_TEST_SUITE_P(cases, make_function_template_test,
                         testing::Values(template_case{"pi", 0, "pi()", 0},
                                         template_case{"sin", 1, "sin()", 1},
                                         template_case{"f", 2, "f(,)", 2}, template_case{"g", 4, "g(,,,)", 4},
                                         template_case{"bad", -3, "bad()", 0}));

} // namespace
