#include "app/answer_sender.h"

#include <string>

#include "calc/answer_sender_rules.h"
#include "app/clipboard_text.h"
#include "ui/text.h"

namespace {

bool shift_down() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

std::string text_of(HWND window) {
    std::string text;
    get_window_text(window, text);
    return text;
}

// False at the first post that fails; the rest is not sent, so the target
// never gets an answer with a hole in it.
bool post_bytes(HWND target, const std::string& text) {
    for (const char byte : text)
        if (!PostMessageA(target, WM_CHAR, static_cast<unsigned char>(byte), 0))
            return false;
    return true;
}

void finish_sending(const answer_delivery& delivery) {
    switch (usable_after_send(delivery.after_send)) {
    case after_send_hide: ShowWindow(delivery.calculator, SW_HIDE); break;
    case after_send_activate_target:
        // The target is usually a control; its top-level window is what
        // comes to the front.
        if (HWND top = GetAncestor(delivery.send_target, GA_ROOT))
            SetForegroundWindow(top);
        break;
    case after_send_nothing: break;
    }
}

} // namespace

send_result send_answer(const answer_delivery& delivery) {
    if (!delivery.send_ans || !delivery.send_target)
        return send_result::not_sent;
    const bool with_expression = expression_goes_along(delivery.send_exp, shift_down());
    const std::string text = sent_text(with_expression ? text_of(delivery.editor) : std::string(),
                                       text_of(delivery.answer), with_expression);
    if (!post_bytes(delivery.send_target, text))
        return put_text_on_clipboard(delivery.calculator, text) ? send_result::copied : send_result::lost;
    finish_sending(delivery);
    return send_result::delivered;
}
