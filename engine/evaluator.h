#pragma once
#include <vector>

#include "engine/token.h"

namespace cal {

class calculator;

// Evaluates a postfix token list (Part 1.2) against calc (its variables,
// angle mode and user functions); assignments change calc.variables.
double evaluate_postfix(const std::vector<token>& postfix, calculator& calc);

// True for NaN, infinities and subnormal values (the range check).
bool out_of_range(double value);

} // namespace cal
