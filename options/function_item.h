#pragma once
#include <cstdint>
#include <string>

// What a row of the functions list knows beyond its column texts. Each row
// owns one, held in the row's item data.
struct function_item {
    std::int32_t builtin_index = -1; // row of the engine's built-in table; -1 for a user row
    bool is_user = false;
    std::string definition; // a user function's text after ")=" and before "//"
};
