#include "ui/property_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "ui/program_resources.h"
#include "ui/property_page.h"
#include "ui/visual_styles.h"

INT_PTR property_sheet::run(DWORD flags, HWND parent, int icon_id, const char* caption, int start_page) {
    // A sheet without pages has nothing to show and no way to be closed.
    if (pages_.empty())
        return -1;
    HINSTANCE instance = program_instance();

    std::vector<PROPSHEETPAGEA> records;
    records.reserve(pages_.size());
    for (const property_page* page : pages_) {
        records.push_back(page->page_description());
        if (!records.back().hInstance)
            records.back().hInstance = instance;
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    // The icon is loaded here and destroyed after the sheet: given by id,
    // some systems load a new copy for every sheet and never destroy it.
    const auto icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(icon_id), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0));
    header.dwFlags = flags | PSH_PROPSHEETPAGE | (icon ? PSH_USEHICON : 0);
    header.hwndParent = parent;
    header.hInstance = instance;
    header.hIcon = icon;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(records.size());
    // An out-of-range start page opens the first one.
    bool start_exists = start_page >= 0 && static_cast<std::size_t>(start_page) < records.size();
    header.nStartPage = start_exists ? static_cast<UINT>(start_page) : 0;
    header.ppsp = records.data();
    const visual_styles_scope themed;
    const INT_PTR result = PropertySheetA(&header);
    if (icon)
        DestroyIcon(icon);
    return result;
}
