#include "app/function_keys.h"

#include <gtest/gtest.h>

#include "engine/builtin_functions.h"

namespace {

constexpr std::int32_t user_function(std::int32_t index) { return USER_FUNCTION_FLAG | index; }

struct key_case {
    char key;
    const char* text; // nullptr: the key binds nothing
    int caret_back;
};

class function_keys_test : public testing::TestWithParam<key_case> {
protected:
    const std::vector<std::string> user_texts{"g()=7//seven", "f(a,b)=a+b//sum"};
    const std::vector<shortcut_key> bindings{
        {cal::find_builtin_function("pi"), 'P'},
        {cal::find_builtin_function("sin"), 'S'},
        {user_function(1), 'F'},
        {user_function(0), 'G'},
        {user_function(2), 'Q'}, // no such user function
        {99, 'W'},               // no such built-in
        {-5, 'V'},
        {cal::find_builtin_function("cos"), 'F'}, // only the first binding counts
        {cal::find_builtin_function("cos"), 'Q'}, // nor does a later one of a dead key
    };
};

TEST_P(function_keys_test, resolve_the_first_binding_of_each_key) {
    const function_key_table table = resolve_function_keys(bindings, user_texts);
    const function_template* call = call_for_key(table, GetParam().key);
    if (!GetParam().text) {
        EXPECT_EQ(call, nullptr);
        return;
    }
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->text, GetParam().text);
    EXPECT_EQ(call->caret_back, GetParam().caret_back);
}

INSTANTIATE_TEST_SUITE_P(keys, function_keys_test,
                         testing::Values(key_case{'P', "pi()", 0}, key_case{'S', "sin()", 1},
                                         key_case{'F', "f(,)", 2}, key_case{'G', "g()", 0},
                                         key_case{'Q', nullptr, 0}, key_case{'W', nullptr, 0},
                                         key_case{'V', nullptr, 0}, key_case{'K', nullptr, 0}));

} // namespace
