#include "calc/answer_sender_rules.h"

#include "engine/setting_range.h"

after_send_action usable_after_send(std::int32_t value) {
    return static_cast<after_send_action>(cal::after_send_range.usable(value));
}

bool expression_goes_along(bool send_exp, bool shift_down) { return send_exp != shift_down; }

namespace {

// A Shift-JIS trail byte is never below 0x40, so a byte below 0x20 (or DEL)
// is always a control character of its own.
bool is_control(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    return code < 0x20 || code == 0x7F;
}

std::string without_controls(std::string text) {
    std::erase_if(text, is_control);
    return text;
}

} // namespace

// A hand-edited history entry may hold a TAB or a CR, which the receiving
// window would take as keys (Tab, Enter): they are left out.
std::string sent_text(const std::string& expression, const std::string& answer, bool with_expression) {
    if (!with_expression)
        return without_controls(answer);
    return without_controls(expression + "=" + answer);
}
