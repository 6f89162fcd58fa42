#pragma once
#include <vector>

#include "engine/token.h"
#include "engine/user_function.h"

namespace cal {

// Two passes: first the operators that the neighbouring tokens decide (a sign
// after an operand is binary; an implicit "*" after a decimal literal or ")"),
// then function resolution with the argument-count check and the check for an
// operand after ")", whose faults are raised in token order.
// Reads tokens and writes the prepared list to out (cleared first).
void prepare_tokens(const std::vector<token>& tokens, const user_function_list& functions,
                    std::vector<token>& out);
// In-place convenience form.
void prepare_tokens(std::vector<token>& tokens, const user_function_list& functions);

// Operator-precedence conversion to postfix order; out is cleared first.
void to_postfix(const std::vector<token>& tokens, std::vector<token>& out);
std::vector<token> to_postfix(const std::vector<token>& tokens);

// Argument count of a resolved function kind, or -1.
int function_arg_count(token_kind kind, const user_function_list& functions);

} // namespace cal
