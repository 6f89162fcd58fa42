#include "options/hotkey_field.h"

// The control reads the key from the scan code in the key data's high word,
// which the framework's default passes on only in part: the whole message
// goes through.
void hotkey_field::on_char(UINT character, UINT key_data) { call_previous(WM_CHAR, character, key_data); }

// The loop translated the key before handing it over: its WM_SYSCHAR waits in
// the queue, where the dialog manager would read it as a mnemonic. The key is
// the control's, so its character is dropped there.
void hotkey_field::on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    window::on_sys_key_down(virtual_key, repeat, flags);
    MSG pending;
    while (PeekMessageA(&pending, handle(), WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    }
}

// One that got through anyway (sent, not posted) must not open the menu.
void hotkey_field::on_sys_char(UINT, UINT) {}
