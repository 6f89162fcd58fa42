#include "app/about_box.h"

#include <shellapi.h>

#include "resources/resource.h"
#include "ui/program_resources.h"

void open_with_shell(HWND owner, const std::string& link) {
    ShellExecuteA(owner, nullptr, link.c_str(), nullptr, nullptr, SW_SHOW);
}

INT_PTR about_box::run(HWND parent) { return run_modal(IDD_ABOUT, parent); }

bool about_box::on_init_dialog(HWND, LPARAM) {
    // The shown and the opened address come from the one string.
    std::string address = load_text(IDS_ABOUT_MAIL_ADDRESS);
    set_item_text(IDC_ABOUT_MAIL, ("Mail: " + address).c_str());
    mail_.attach_control(GetDlgItem(handle(), IDC_ABOUT_MAIL), address, open_link_);
    return true; // the dialog manager focuses the OK button
}

void about_box::on_ok() { end_dialog(0); }

void about_box::on_close() { end_dialog(0); }

void about_box::on_destroy() {
    // The mail line's timer goes with its window.
    mail_.release_font();
}
