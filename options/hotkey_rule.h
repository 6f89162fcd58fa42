#pragma once
#include <cstdint>

// Which values of the call hotkey (hotkey-control form: virtual key in the low
// byte, Shift 0x01, Ctrl 0x02, Alt 0x04 in the next) may be registered
// globally. A plain key or Shift+key would take that character away from
// every application, so the hotkey needs Ctrl or Alt, except for a function
// key, which no text contains. (The control cannot express the Windows key.)
enum class hotkey_kind {
    none,          // no key: nothing is registered
    usable,        // registered as it is
    needs_modifier // refused: a character key without Ctrl or Alt
};

hotkey_kind classify_hotkey(std::int32_t hotkey);
