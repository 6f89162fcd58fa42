#pragma once
#include "ui/window.h"

// The transfer page's hotkey control, subclassed so that a key combination
// typed into it goes into it only. The sheet's dialog loop would otherwise
// take the Alt+letter the control records for a mnemonic of the page and
// press the button or flip the radio that letter names.
class hotkey_field : public window {
protected:
    void on_char(UINT character, UINT key_data) override;
    void on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    void on_sys_char(UINT character, UINT key_data) override;
};
