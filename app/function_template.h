#pragma once
#include <string>
#include <string_view>

// A function call waiting for its arguments, as Alt+key inserts it: the name,
// "(", one "," between each two arguments, ")". caret_back is how far the
// caret moves back from the end of the inserted text: the argument count,
// which puts it right after "(", or 0 for a function without arguments.
struct function_template {
    std::string text;
    int caret_back = 0;
};

function_template make_function_template(std::string_view name, int arg_count);

// Name and argument count of a user function text "name(args)=definition//
// description". The name is the text before the first "("; the count is the
// number of commas between the first "(" and the next ")", plus one when
// there is anything at all between them (f() 0, f(x) 1, f(x,y) 2). A text
// without "(" is all name and takes no arguments; without a closing ")" the
// argument list runs to the end of the text.
struct function_signature {
    std::string name;
    int arg_count = 0;
};

function_signature user_function_signature(std::string_view text);
