#include "app/hotkey.h"

#include "app/caret_locator.h"
#include "app/focus_return.h"
#include "app/placement.h"
#include "resources/resource.h"
#include "ui/program_resources.h"
#include "ui/visual_styles.h"

namespace {

constexpr int HOTKEY_ID = 0;
constexpr UINT FLAG_SHIFT = 0x01;
constexpr UINT FLAG_CONTROL = 0x02;
constexpr UINT FLAG_ALT = 0x04;

message_box_function hotkey_message_box = MessageBoxA;

} // namespace

UINT hotkey_modifiers(std::int32_t hotkey) {
    const UINT flags = (static_cast<UINT>(hotkey) >> 8) & 0xFF;
    UINT modifiers = 0;
    if (flags & FLAG_ALT)
        modifiers |= MOD_ALT;
    if (flags & FLAG_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & FLAG_SHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;
}

UINT hotkey_virtual_key(std::int32_t hotkey) { return static_cast<UINT>(hotkey) & 0xFF; }

bool register_global_hotkey(HWND owner, std::int32_t hotkey) {
    UnregisterHotKey(owner, HOTKEY_ID);
    return RegisterHotKey(owner, HOTKEY_ID, hotkey_modifiers(hotkey), hotkey_virtual_key(hotkey)) != FALSE;
}

void unregister_global_hotkey(HWND owner) { UnregisterHotKey(owner, HOTKEY_ID); }

void report_hotkey_failure(HWND owner) {
    std::string caption = load_text(IDS_APP_TITLE);
    if (caption.empty())
        caption = "Tarvik";
    const visual_styles_scope themed;
    hotkey_message_box(owner, load_text(IDS_HOTKEY_FAILED).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

message_box_function set_hotkey_message_box(message_box_function show) {
    const message_box_function previous = hotkey_message_box;
    hotkey_message_box = show ? show : MessageBoxA;
    return previous;
}

typing_position capture_typing_position(HWND foreground) {
    typing_position position;
    const DWORD own_thread = GetCurrentThreadId();
    const DWORD front_thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    // Attaching a thread to itself fails, so a window of the calculator's
    // own thread (such as its list popup) gives no target, as it should.
    if (!front_thread || !AttachThreadInput(own_thread, front_thread, TRUE))
        return position;
    // With the input attached, the focus is that of the application in front.
    position.focus = GetFocus();
    AttachThreadInput(own_thread, front_thread, FALSE);
    if (position.focus)
        position.anchor = locate_text(position.focus);
    return position;
}

void handle_hotkey(HWND calculator, HWND editor, std::int32_t show_position, HWND& send_target,
                   focus_return& way_back) {
    HWND foreground = GetForegroundWindow();
    if (foreground == calculator) {
        ShowWindow(calculator, SW_HIDE);
        return;
    }
    const typing_position typing = capture_typing_position(foreground);
    send_target = typing.focus;
    if (typing.focus)
        way_back.remember(foreground, typing.focus);
    place_window(calculator, show_position, typing.anchor ? &*typing.anchor : nullptr);
    if (!IsWindowVisible(calculator))
        ShowWindow(calculator, SW_SHOW);
    SetForegroundWindow(calculator);
    SetFocus(editor);
}
