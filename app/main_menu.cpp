#include "app/main_menu.h"

#include "options/settings.h"
#include "resources/resource.h"

namespace {

// The submenu of menu that holds the command, or nullptr.
HMENU submenu_holding(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (!sub)
            continue;
        const int items = GetMenuItemCount(sub);
        for (int j = 0; j < items; ++j)
            if (GetMenuItemID(sub, j) == command)
                return sub;
    }
    return nullptr;
}

} // namespace

void prepare_main_menu(HMENU menu, const settings& record) {
    // Both modes are brought into range when settings are applied; the checks
    // below never address an item outside the submenus.
    if (record.answer_mode >= 0 && record.answer_mode <= 4)
        CheckMenuItem(menu, IDM_REAL + static_cast<UINT>(record.answer_mode), MF_BYCOMMAND | MF_CHECKED);
    if (HMENU angles = submenu_holding(menu, IDM_DEGREE);
        angles && record.angle_mode >= 0 && record.angle_mode <= 2)
        CheckMenuItem(angles, static_cast<UINT>(record.angle_mode), MF_BYPOSITION | MF_CHECKED);
    CheckMenuItem(menu, IDM_TOPMOST, MF_BYCOMMAND | (record.show_top ? MF_CHECKED : MF_UNCHECKED));
    if (record.show_tray) {
        DeleteMenu(menu, IDM_TOGGLE_TRAY, MF_BYCOMMAND);
        DeleteMenu(menu, IDM_EXIT, MF_BYCOMMAND);
    }
}
