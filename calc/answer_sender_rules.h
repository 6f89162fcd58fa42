#pragma once
#include <cstdint>
#include <string>

// What the calculator does after sending its answer ("After Send").
enum after_send_action : std::int32_t {
    after_send_hide = 0,            // hide the calculator
    after_send_activate_target = 1, // bring the receiving application to the front
    after_send_nothing = 2,
};

// A hand-edited settings file may hold any number: anything but the three
// actions means the default, activating the receiving application.
after_send_action usable_after_send(std::int32_t value);

// Whether the expression goes along with the answer: Shift held while Enter
// is pressed inverts the "Send Exp" setting for that one sending.
bool expression_goes_along(bool send_exp, bool shift_down);

// The text typed into the receiving window: the answer as shown, or the
// expression as typed, "=" and the answer, without spaces. Control
// characters (a TAB or CR from a hand-edited file) are left out, so that
// nothing arrives as a key.
std::string sent_text(const std::string& expression, const std::string& answer, bool with_expression);
