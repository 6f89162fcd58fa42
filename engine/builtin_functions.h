#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/modes.h"
#include "engine/token.h"

namespace cal {

// The computation of a built-in function on its arguments args[0..arg_count-1]
// (the angle unit is for the trigonometric and hyperbolic functions).
using builtin_computation = double (*)(const double* args, angle_unit unit);

// One row of the built-in function table. description is the
// CP932 text shown to the user.
struct builtin_function {
    const char* name;
    int arg_count;
    const char* description;
    builtin_computation compute;
};

inline constexpr int builtin_function_count = 20;

// The 20 rows in their fixed order; row r resolves to the token kind
// builtin_function_kind(r).
// Defined in builtin_functions.cpp so that the descriptions are always the
// engine's CP932 bytes, whatever the execution character set of the includer.
extern const std::array<builtin_function, builtin_function_count> builtin_function_table;
static_assert(user_function_first == builtin_function_first + builtin_function_count,
              "the user function kinds follow the built-in ones");

// For index 0-19 sets name and arg_count of that row and returns true; for any
// other index leaves both unchanged and returns false.
bool builtin_function_at(int index, std::string& name, int& arg_count);

// Row of the built-in named name (ASCII case-insensitive), or -1.
int find_builtin_function(std::string_view name);

// Angle conversions of the trigonometric functions (a unit outside the enum
// gives 0).
double to_radians(double x, angle_unit unit);
double from_radians(double x, angle_unit unit);

inline constexpr double pi_value = 3.141592653589793;
inline constexpr double e_value = 2.718281828459045;

// The program-wide pseudo-random generator: state 1 at start, never reseeded
// by the program. next_random advances it and returns 0-32767.
double next_random();
// For tests: set the state (1 is the start-up state).
void reset_random(std::uint32_t state = 1);
std::uint32_t random_state();

} // namespace cal
