#include "calc/user_function_loader.h"

#include "engine/calculator.h"

std::size_t define_user_functions(cal::calculator& engine, const std::vector<std::string>& texts) {
    engine.clear_user_functions();
    std::size_t skipped = 0;
    for (const std::string& text : texts) {
        if (text.size() > USER_FUNCTION_TEXT_LIMIT) {
            ++skipped;
            continue;
        }
        try {
            engine.add_user_function(text);
        } catch (const cal::calculator_error&) {
            ++skipped;
        }
    }
    return skipped;
}
