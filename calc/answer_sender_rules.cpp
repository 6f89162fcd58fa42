#include "calc/answer_sender_rules.h"

#include "engine/setting_range.h"

after_send_action usable_after_send(std::int32_t value) {
    return static_cast<after_send_action>(cal::after_send_range.usable(value));
}

bool expression_goes_along(bool send_exp, bool shift_down) { return send_exp != shift_down; }

std::string sent_text(const std::string& expression, const std::string& answer, bool with_expression) {
    if (!with_expression)
        return answer;
    return expression + "=" + answer;
}
