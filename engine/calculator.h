#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/calculator_error.h"
#include "engine/modes.h"
#include "engine/user_function.h"
#include "engine/variable_table.h"

namespace cal {

// The calculation engine: a copyable value. Copies share the
// variable map and the user-function records until one of them changes them.
class calculator {
public:
    using calculator_error = cal::calculator_error;

    std::string expression;
    variable_table variables;
    angle_unit angle_mode = angle_unit::degree;
    user_function_list user_functions;

    // Evaluates one expression; raises calculator_error.
    double calculate(std::string_view text);

    bool get_variable(const std::string& name, double& value) const { return variables.get(name, value); }
    void set_variable(const std::string& name, double value) { variables.set(name, value); }
    bool erase_variable(const std::string& name) { return variables.erase(name); }
    void clear_variables() { variables.clear(); }

    // Parses text (name(parameters)=definition//description) and appends it;
    // on error nothing is appended and the calculator_error propagates.
    void add_user_function(std::string_view text);
    void clear_user_functions() { user_functions.clear(); }
};

} // namespace cal
