#include "cli/session.h"

#include "engine/calculator_error.h"

#include <new>

namespace cli {

namespace {

session_settings settings_for(const cal::answer_options& options, cal::angle_unit angle_mode) {
    session_settings values;
    values.answer = options;
    values.angle_mode = angle_mode;
    return values;
}

void fail(commit_result& result, const std::string& message, std::int32_t position, std::int32_t length) {
    result.ok = false;
    result.message = message;
    result.position = position;
    result.length = length;
}

} // namespace

session::session(const cal::answer_options& options, cal::angle_unit angle_mode)
    : session_(settings_for(options, angle_mode)) {}

bool session::add_function(std::string_view text, commit_result& error) {
    try {
        session_.engine().add_user_function(text);
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
        shown_answer shown = session_.commit(line);
        if (shown.failed()) {
            fail(result, shown.text, shown.error_position, shown.error_length);
            return result;
        }
        result.ok = true;
        result.value = shown.value;
        result.answer = std::move(shown.text);
    } catch (const std::bad_alloc&) {
        fail(result, "out of memory", -1, 0);
    }
    return result;
}

} // namespace cli
