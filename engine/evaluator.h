#pragma once
#include <vector>

#include "engine/token.h"

namespace cal {

class calculator;

// Entry of the evaluation stack: an unevaluated operand token (converted by
// operand_value only when popped) or a computed value (operand == nullptr).
struct stack_item {
    double value;
    const token* operand;
};

// Evaluates a postfix token list against calc (its variables,
// angle mode and user functions); assignments change calc.variables.
double evaluate_postfix(const std::vector<token>& postfix, calculator& calc);
// The same with a caller-provided stack (cleared first; its capacity is reused).
double evaluate_postfix(const std::vector<token>& postfix, calculator& calc, std::vector<stack_item>& stack);

// True for NaN, infinities and subnormal values (the range check).
bool out_of_range(double value);

} // namespace cal
