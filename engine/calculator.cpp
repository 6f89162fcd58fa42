#include "engine/calculator.h"

#include <vector>

#include "engine/evaluator.h"
#include "engine/messages.h"
#include "engine/parser.h"
#include "engine/tokenizer.h"

namespace cal {

double calculator::calculate(std::string_view text) {
    if (text.empty())
        throw calculator_error(messages::empty_expression, 0, 0);
    expression.assign(text.data(), text.size());   // assign handles a text that views expression
    std::vector<token> tokens;
    std::vector<token> prepared;
    tokens.reserve(expression.size() / 2 + 8);
    tokenize(expression, tokens);
    prepare_tokens(tokens, user_functions, prepared);
    to_postfix(prepared, tokens);
    return evaluate_postfix(tokens, *this);
}

void calculator::add_user_function(std::string_view text) {
    user_function function;
    function.parse_definition(text);
    user_functions.push_back(std::move(function));
}

} // namespace cal
