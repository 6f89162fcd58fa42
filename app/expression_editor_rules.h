#pragma once
#include <string>

// What of the keyboard and the clipboard may reach the one-line expression.

// A character that goes into the expression as typed: none of the control
// characters (below space, and DEL).
bool is_typed_character(unsigned character);

// A character message the edit control may see: typed characters, Backspace
// and the editing commands Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z. Tab, line feed,
// Escape and the other control characters would otherwise end up in the
// expression or make the control beep.
bool reaches_the_edit_control(unsigned character);

// Pasted text without its control characters: line breaks and tabs copied
// along with an expression do not go into the one-line field.
std::wstring without_control_characters(const std::wstring& text);
