#include "options/options_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "resources/resource.h"
#include "ui/program_resources.h"

namespace {

options_sheet* published_sheet = nullptr;

// The sheet window is created by the platform and not attached to the
// object: it is found as the dialog owned by the window the sheet runs over.
struct sheet_search {
    HWND owner;
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK find_sheet_window(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<sheet_search*>(search_address);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(class_name) == "#32770" && GetWindow(window, GW_OWNER) == search.owner &&
        search.caption == caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

options_sheet::options_sheet(settings& record) : settings_(record) {
    add_page(&functions_);
    add_page(&display_);
    add_page(&transfer_);
    add_page(&format_);
    published_sheet = this;
}

options_sheet::~options_sheet() {
    if (published_sheet == this)
        published_sheet = nullptr;
}

options_sheet* options_sheet::current() { return published_sheet; }

INT_PTR options_sheet::run(HWND parent) {
    if (open_) {
        bring_to_front();
        return 0;
    }
    open_ = true;
    parent_ = parent;
    const std::string caption = load_text(IDS_OPTIONS_CAPTION);
    const INT_PTR result = property_sheet::run(PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP, parent, IDI_PROGRAM,
                                               caption.c_str(), 0);
    open_ = false;
    parent_ = nullptr;
    return result;
}

void options_sheet::bring_to_front() const {
    if (!open_)
        return;
    sheet_search search{parent_, load_text(IDS_OPTIONS_CAPTION)};
    EnumThreadWindows(GetCurrentThreadId(), find_sheet_window, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    // A message box over the sheet is what the user has to answer first.
    HWND front = GetLastActivePopup(search.found);
    SetForegroundWindow(front ? front : search.found);
}
