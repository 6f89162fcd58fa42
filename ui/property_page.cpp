#include "ui/property_page.h"

INT_PTR CALLBACK page_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    property_page* object = nullptr;
    if (message == WM_INITDIALOG && lparam) {
        auto* page = reinterpret_cast<PROPSHEETPAGEA*>(lparam);
        object = reinterpret_cast<property_page*>(page->lParam);
    }
    return dialog::procedure_message(handle, message, wparam, lparam, object);
}

property_page::property_page(int template_id) {
    // The sheet walks its page array by each record's size, so the size must
    // be the one of the records the array holds.
    description_.dwSize = sizeof(PROPSHEETPAGEA);
    description_.dwFlags = 0;
    description_.hInstance = nullptr;
    description_.pszTemplate = MAKEINTRESOURCEA(template_id);
    description_.pfnDlgProc = page_procedure;
    description_.lParam = reinterpret_cast<LPARAM>(this);
}

bool property_page::on_kill_active() { return false; }
bool property_page::on_set_active() { return true; }
bool property_page::on_apply() { return false; }
void property_page::on_reset() {}
void property_page::on_page_help() {}

void property_page::on_notify(int, NMHDR* header) {
    if (!header)
        return;
    switch (header->code) {
    // The sheet reads 0 as "activate this page" and -1 as "skip it"; any other
    // value would name the resource id of a page to jump to.
    case PSN_SETACTIVE: set_message_result(on_set_active() ? 0 : -1); break;
    case PSN_KILLACTIVE: set_message_result(on_kill_active() ? 1 : 0); break;
    case PSN_APPLY: set_message_result(on_apply() ? 1 : 0); break;
    case PSN_RESET: on_reset(); break;
    case PSN_HELP: on_page_help(); break;
    default: break;
    }
}

void property_page::set_message_result(LONG_PTR result) {
    SetWindowLongPtrA(handle(), DWLP_MSGRESULT, result);
}
