#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace cal {
class calculator;
}

// A definition longer than this is no definition typed by a user: it is
// skipped unparsed, which bounds the work of loading a damaged settings file.
inline constexpr std::size_t USER_FUNCTION_TEXT_LIMIT = 64 * 1024;

// Replaces the engine's user functions by the definitions, in order. A text
// that the engine refuses (a hand-edited or damaged entry) or that is longer
// than the limit is skipped and the others are still defined. Returns the
// number of definitions skipped.
std::size_t define_user_functions(cal::calculator& engine, const std::vector<std::string>& texts);
