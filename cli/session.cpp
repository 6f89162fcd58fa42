#include "cli/session.h"

#include "engine/calculator_error.h"

#include <exception>
#include <new>

namespace cli {

namespace {

void fail(commit_result& result, const std::string& message, std::int32_t position, std::int32_t length) {
    result.ok = false;
    result.message = message;
    result.position = position;
    result.length = length;
}

} // namespace

session::session(const cal::answer_options& options, cal::angle_unit angle_mode) : options_(options) {
    calculator_.angle_mode = angle_mode;
    calculator_.set_variable("ans", 0.0);
}

bool session::add_function(std::string_view text, commit_result& error) {
    try {
        calculator_.add_user_function(text);
        return true;
    } catch (const cal::calculator_error& e) {
        fail(error, e.message(), e.position, e.length);
    } catch (const std::bad_alloc&) {
        fail(error, "out of memory", -1, 0);
    }
    return false;
}

commit_result session::commit(std::string_view line) {
    commit_result result;
    try {
        double value = calculator_.calculate(line);
        std::string shown = cal::format_answer(value, options_);
        calculator_.set_variable("ans", cal::ans_value(value, shown, options_));
        result.ok = true;
        result.value = value;
        result.answer = std::move(shown);
    } catch (const cal::calculator_error& e) {
        fail(result, e.message(), e.position, e.length);
    } catch (const std::bad_alloc&) {
        fail(result, "out of memory", -1, 0);
    }
    return result;
}

} // namespace cli
