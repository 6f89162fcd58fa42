#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

// The program's manifest (linked into this test program with the program's
// resources) puts common controls 6 into the process's activation context, so
// "Button" and the other standard classes are the themed ones of comctl32 6.
// Only those answer BCM_GETIDEALSIZE; the unthemed buttons of user32 do not.
TEST(visual_styles, buttons_are_those_of_common_controls_6) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    SIZE ideal{};
    EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
    DestroyWindow(button);
}
