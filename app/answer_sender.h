#pragma once
#include <windows.h>

#include <cstdint>

// Types the committed answer into the window that had the keyboard focus
// when the hotkey was last pressed: one posted WM_CHAR per byte of the code
// page 932 text (a double-byte character as two, lead byte first), so
// neither the clipboard nor synthesised keystrokes are involved.
struct answer_delivery {
    HWND calculator = nullptr;
    HWND editor = nullptr;      // its text is the expression, as typed
    HWND answer = nullptr;      // its text is the answer, as shown
    HWND send_target = nullptr; // none: nothing is sent
    bool send_ans = true;
    bool send_exp = false;
    std::int32_t after_send = 1;
};

// Nothing happens when sending is off or there is no target. Shift held at
// this moment inverts "Send Exp". The posting is not checked: a target that
// has gone simply loses the text.
void send_answer(const answer_delivery& delivery);
