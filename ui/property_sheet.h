#pragma once
#include <windows.h>

#include <vector>

#include "ui/window.h"

class property_page;

// A modal property sheet over pages it does not own; the derived class puts
// its page members in. The sheet's own window belongs to the platform and is
// never attached to this object.
class property_sheet : public window {
public:
    // Runs the sheet: the caller's flags plus PSH_PROPSHEETPAGE and
    // PSH_USEICONID, the icon as a resource id. Returns PropertySheet's result,
    // -1 for a sheet without pages.
    INT_PTR run(DWORD flags, HWND parent, int icon_id, const char* caption, int start_page);

protected:
    void add_page(property_page* page) { pages_.push_back(page); }
    const std::vector<property_page*>& pages() const { return pages_; }

private:
    std::vector<property_page*> pages_;
};
