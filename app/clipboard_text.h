#pragma once
#include <windows.h>

#include <string>

// Puts text of the program's code page on the clipboard as Unicode text, from
// which the system makes the other text formats; false when the clipboard
// is held by another program or memory runs out.
bool put_text_on_clipboard(HWND owner, const std::string& text);

// The clipboard's Unicode text in the program's code page; empty when there
// is none.
std::string clipboard_text(HWND owner);
