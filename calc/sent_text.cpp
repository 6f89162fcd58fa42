#include "calc/sent_text.h"

after_send_action usable_after_send(std::int32_t value) {
    switch (value) {
    case after_send_hide: return after_send_hide;
    case after_send_nothing: return after_send_nothing;
    default: return after_send_activate_target;
    }
}

bool expression_goes_along(bool send_exp, bool shift_down) { return send_exp != shift_down; }

std::string sent_text(const std::string& expression, const std::string& answer, bool with_expression) {
    if (!with_expression)
        return answer;
    return expression + "=" + answer;
}
