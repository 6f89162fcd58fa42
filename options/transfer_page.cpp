#include "options/transfer_page.h"

#include <commctrl.h>

#include "options/help_topics.h"
#include "options/hotkey_rule.h"
#include "options/radio_group.h"
#include "options/settings.h"
#include "resources/resource.h"
#include "ui/html_help.h"
#include "ui/program_resources.h"

namespace {

// Alt+Space in the hotkey control's form, what "初期設定" puts back.
constexpr std::int32_t DEFAULT_HOTKEY = 0x420;

} // namespace

transfer_page::transfer_page(settings& target) : property_page(IDD_TRANSFER_PAGE), settings_(target) {}

bool transfer_page::on_init_dialog(HWND, LPARAM) {
    hotkey_field_.subclass_control(GetDlgItem(handle(), IDC_TRANSFER_HOTKEY));
    show_hotkey(settings_.hotkey);
    check_radio_of_value(*this, IDC_TRANSFER_AT_CARET, IDC_TRANSFER_WHERE_IT_WAS, settings_.show_position);
    check_radio_of_value(*this, IDC_TRANSFER_HIDE, IDC_TRANSFER_STAY, settings_.after_send);
    check_button(IDC_TRANSFER_SEND_ANS, settings_.send_ans ? BST_CHECKED : BST_UNCHECKED);
    check_button(IDC_TRANSFER_SEND_EXP, settings_.send_exp ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

// The control takes the key code in the low byte and the modifier flags in
// the next one, the form the setting is stored in.
void transfer_page::show_hotkey(std::int32_t hotkey) {
    SendDlgItemMessageA(handle(), IDC_TRANSFER_HOTKEY, HKM_SETHOTKEY, static_cast<WPARAM>(hotkey & 0xFFFF),
                        0);
}

void transfer_page::on_command(UINT notify_code, UINT id, HWND) {
    if (id == IDC_TRANSFER_DEFAULT_HOTKEY && notify_code == BN_CLICKED)
        show_hotkey(DEFAULT_HOTKEY);
}

std::int32_t transfer_page::typed_hotkey() const {
    const LRESULT hotkey = SendDlgItemMessageA(handle(), IDC_TRANSFER_HOTKEY, HKM_GETHOTKEY, 0, 0);
    return static_cast<std::int32_t>(hotkey & 0xFFFF);
}

// A key without Ctrl or Alt would be taken from every application; the page
// stays until the user adds a modifier or clears the field (no hotkey).
bool transfer_page::on_kill_active() {
    if (classify_hotkey(typed_hotkey()) != hotkey_kind::needs_modifier)
        return false;
    message_box(handle(), IDS_HOTKEY_NEEDS_MODIFIER, MB_OK | MB_ICONINFORMATION);
    SetFocus(GetDlgItem(handle(), IDC_TRANSFER_HOTKEY));
    return true;
}

bool transfer_page::on_apply() {
    // Modifiers with no key mean no hotkey, as a cleared field does.
    const std::int32_t hotkey = typed_hotkey();
    settings_.hotkey = classify_hotkey(hotkey) == hotkey_kind::none ? 0 : hotkey;
    settings_.show_position = checked_radio_value(*this, IDC_TRANSFER_AT_CARET, IDC_TRANSFER_WHERE_IT_WAS,
                                                  settings_.show_position);
    settings_.after_send = checked_radio_value(*this, IDC_TRANSFER_HIDE, IDC_TRANSFER_STAY,
                                               settings_.after_send);
    settings_.send_ans = IsDlgButtonChecked(handle(), IDC_TRANSFER_SEND_ANS) == BST_CHECKED;
    settings_.send_exp = IsDlgButtonChecked(handle(), IDC_TRANSFER_SEND_EXP) == BST_CHECKED;
    return false;
}

void transfer_page::on_help(HELPINFO*) {
    html_help(handle(), TRANSFER_HELP_TOPIC, HH_DISPLAY_TOPIC, 0);
}
