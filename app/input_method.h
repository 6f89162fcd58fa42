#pragma once
#include <windows.h>

// Closes the input method of the window's input context: the expression
// editor has no use for kana, so it starts every appearance with plain
// characters, while the user can still open the input method with its key.
// Other threads' contexts, the application the user came from among them,
// are not touched.
void close_input_method(HWND window);
