// The transfer page's hotkey field, subclassed: keys typed into it still make
// the combination they stand for. A typed key comes as WM_KEYDOWN and, once
// translated, WM_CHAR, from which the control reads the key again by its scan
// code.
#include "options/hotkey_field.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "ui/application.h"

namespace {

TEST(hotkey_field, records_a_typed_key_as_the_control_does) {
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
    HWND plain = CreateWindowExA(0, HOTKEY_CLASSA, "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    HWND subclassed =
        CreateWindowExA(0, HOTKEY_CLASSA, "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    hotkey_field field;
    ASSERT_TRUE(field.subclass_control(subclassed));
    for (HWND control : {plain, subclassed}) {
        SendMessageA(control, WM_KEYDOWN, 'K', 0x00250001);
        SendMessageA(control, WM_CHAR, 'k', 0x00250001);
        SendMessageA(control, WM_KEYUP, 'K', 0xC0250001);
    }
    EXPECT_EQ(SendMessageA(subclassed, HKM_GETHOTKEY, 0, 0), SendMessageA(plain, HKM_GETHOTKEY, 0, 0));
    EXPECT_EQ(SendMessageA(subclassed, HKM_GETHOTKEY, 0, 0) & 0xFF, 'K');
    DestroyWindow(subclassed);
    DestroyWindow(plain);
}

} // namespace
