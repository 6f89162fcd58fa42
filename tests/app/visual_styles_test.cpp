#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "ui/visual_styles.h"

namespace {

// Only the themed buttons of common controls 6 answer BCM_GETIDEALSIZE; the
// unthemed buttons of user32 do not.
bool button_is_themed() {
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(button, nullptr);
    SIZE ideal{};
    const bool themed = SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) &&
                        ideal.cx > 0;
    DestroyWindow(button);
    return themed;
}

} // namespace

// The program's resources, linked into this test program, carry the second
// manifest: inside a scope the standard classes are those of common controls
// 6; the process as started has the system's own, which keeps comctl32 out
// of the start-up.
TEST(visual_styles, common_controls_6_exactly_inside_a_scope) {
    for (const bool in_scope : {false, true}) {
        std::optional<visual_styles_scope> scope;
        if (in_scope)
            scope.emplace();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        EXPECT_EQ(button_is_themed(), in_scope) << (in_scope ? "inside" : "outside") << " a scope";
    }
}
