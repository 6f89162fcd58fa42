#pragma once
#include <windows.h>

#include <cstring>

#include "app/list_popup.h"
#include "ui/application.h"

// The list popup a window has open: a window of the popup's class that it
// owns (a closed popup has no window), or nullptr.
inline list_popup* open_list_popup_of(HWND owner) {
    struct search {
        HWND owner;
        HWND found;
    } wanted{owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM data) -> BOOL {
            auto& wanted = *reinterpret_cast<search*>(data);
            char class_name[32] = {};
            GetClassNameA(candidate, class_name, sizeof class_name);
            if (std::strcmp(class_name, list_popup::CLASS_NAME) != 0 ||
                GetWindow(candidate, GW_OWNER) != wanted.owner)
                return TRUE;
            wanted.found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&wanted));
    if (!wanted.found)
        return nullptr;
    return static_cast<list_popup*>(application::current()->registry().find(wanted.found));
}
