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

enum class send_result {
    not_sent,  // sending is off, or the hotkey has not named a target
    delivered, // the target took every character
    copied,    // a post failed; the whole text is on the clipboard instead
    lost,      // a post failed and the clipboard could not be set either
};

// Nothing happens when sending is off or there is no target. Shift held at
// this moment inverts "Send Exp". A post fails when the target has gone, or
// when it runs elevated and the system keeps a normal program's messages
// from it: the sending stops there, the text goes to the clipboard so that
// the user can paste it, and neither the hiding nor the activation of
// "After Send" follows, so the calculator can say what happened.
send_result send_answer(const answer_delivery& delivery);
