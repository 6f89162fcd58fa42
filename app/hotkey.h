#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/text_anchor.h"

class focus_return;

// The global hotkey (id 0 of the calculator window) that brings the
// calculator up where the user is typing.

// The modifiers of a hotkey value in the hotkey control's form: Shift 0x01,
// Ctrl 0x02 and Alt 0x04 in the high byte. The extended-key flag 0x08 only
// tells which of two keys with one code was pressed; it adds no modifier.
UINT hotkey_modifiers(std::int32_t hotkey);
UINT hotkey_virtual_key(std::int32_t hotkey);

// Registers the hotkey afresh for the window; false when another program
// (or window) holds the combination.
bool register_global_hotkey(HWND owner, std::int32_t hotkey);
void unregister_global_hotkey(HWND owner);

// Tells the user that the hotkey could not be registered.
void report_hotkey_failure(HWND owner);

// The message box behind report_hotkey_failure; tests put in one that does
// not wait for a click. Returns the previous one.
using message_box_function = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
message_box_function set_hotkey_message_box(message_box_function show);

// Where the user was typing when the hotkey was pressed: the focus window of
// the foreground window's thread (none when it cannot be read) and where its
// text is on the screen (none without a focus window; see locate_text).
struct typing_position {
    HWND focus = nullptr;
    std::optional<text_anchor> anchor;
};
typing_position capture_typing_position(HWND foreground);

// WM_HOTKEY: hides the calculator when it is in front. Otherwise records
// where the user was typing in send_target and the way back, places the
// calculator there by "Show Position", shows it and gives its editor the
// focus.
void handle_hotkey(HWND calculator, HWND editor, std::int32_t show_position, HWND& send_target,
                   focus_return& way_back);
