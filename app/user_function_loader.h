#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace cal {
class calculator;
}

// Replaces the engine's user functions by the definitions, in order. A text
// that the engine refuses (a hand-edited or damaged entry) is skipped and the
// others are still defined. Returns the number of definitions skipped.
std::size_t define_user_functions(cal::calculator& engine, const std::vector<std::string>& texts);
