// The about command of the main window and tray menus runs the about box,
// owned by the main window, until Enter closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include "calculator_window_fixture.h"
#include "resources/resource.h"

namespace {

struct about_box_seen {
    static inline HWND owner = nullptr;
    static inline HWND box = nullptr;
    static inline int ticks_after_enter = 0;

    static BOOL CALLBACK find(HWND window, LPARAM) {
        if (GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, IDC_ABOUT_MAIL)) {
            box = window;
            return FALSE;
        }
        return TRUE;
    }
    // Once the box is up: note it and press Enter on its OK button; should
    // that not close it, the close box does, rather than hang the test.
    static void CALLBACK close_when_shown(HWND, UINT, UINT_PTR, DWORD) {
        if (!box) {
            EnumThreadWindows(GetCurrentThreadId(), find, 0);
            if (box)
                PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        } else if (IsWindow(box) && ++ticks_after_enter == 20) {
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
    }
};

using about_command_test = calculator_window_fixture;

TEST_F(about_command_test, the_about_command_runs_the_about_box_over_the_main_window) {
    start();
    about_box_seen::owner = calculator->handle();
    about_box_seen::box = nullptr;
    about_box_seen::ticks_after_enter = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, about_box_seen::close_when_shown);
    SendMessageA(calculator->handle(), WM_COMMAND, IDM_ABOUT, 0);
    KillTimer(nullptr, timer);
    ASSERT_NE(nullptr, about_box_seen::box);
    EXPECT_LT(about_box_seen::ticks_after_enter, 20) << "Enter did not close the about box";
    EXPECT_TRUE(IsWindowEnabled(calculator->handle()));
}

} // namespace
