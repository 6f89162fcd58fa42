#pragma once
#include <cstdint>

class dialog;

// A group of radio buttons with consecutive ids standing for the values 0, 1,
// 2 … of one settings field.

// Checks the radio of the value. A value outside the group (a hand-edited
// settings file) checks none, so that applying the page keeps it as it was.
void check_radio_of_value(dialog& page, int first_id, int last_id, std::int32_t value);

// The value of the first checked radio; the current value when none is checked.
std::int32_t checked_radio_value(const dialog& page, int first_id, int last_id, std::int32_t current);
