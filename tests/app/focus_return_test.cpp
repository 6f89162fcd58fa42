#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/main_window.h"
#include "calculator_window_fixture.h"
#include "foreign_editor.h"
#include "resources/resource.h"
#include "support/sjis.h"

namespace {

class coming_and_going : public calculator_window_fixture {
public:
    void start_with(const std::function<void(settings&)>& tweak = {}) {
        start([&](settings& record) {
            record.hotkey = 0; // the hotkey's message is sent by hand
            record.esc_hide = true;
            record.after_send = 0;
            record.window_rect = {500, 300, 700, 360};
            if (tweak)
                tweak(record);
        });
    }
    HWND main() { return calculator->handle(); }
    HWND editor() { return editor_handle(); }
    void press_hotkey() { SendMessageA(main(), WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE)); }
    // The hotkey pressed while the other application is in front.
    void bring_up_from(foreign_editor& other) {
        other.activate();
        ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == other.frame(); }));
        press_hotkey();
        ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == main(); }));
        ASSERT_TRUE(IsWindowVisible(main()));
    }
    void key(UINT virtual_key) { SendMessageA(editor(), WM_KEYDOWN, virtual_key, 1); }
    void enter() { SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001); }
};

struct way_out {
    const char* name;
    std::function<void(coming_and_going&)> leave;
};

class ways_out : public coming_and_going, public testing::WithParamInterface<way_out> {};

TEST_P(ways_out, give_the_keyboard_back_to_the_application_the_user_came_from) {
    start_with();
    foreign_editor other(300, 400);
    bring_up_from(other);
    GetParam().leave(*this);
    EXPECT_FALSE(IsWindowVisible(main()));
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == other.frame(); }));
    EXPECT_EQ(other.focus(), other.edit());
}

INSTANTIATE_TEST_SUITE_P(
    desktop, ways_out,
    testing::Values(way_out{"escape", [](coming_and_going& fixture) { fixture.key(VK_ESCAPE); }},
                    way_out{"hotkey_again", [](coming_and_going& fixture) { fixture.press_hotkey(); }},
                    way_out{"icon_cell",
                            [](coming_and_going& fixture) {
                                SendMessageA(fixture.main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                            }},
                    way_out{"tray_menu_hide",
                            [](coming_and_going& fixture) {
                                SendMessageA(fixture.main(), WM_COMMAND, IDM_HIDE, 0);
                            }},
                    way_out{"after_a_send",
                            [](coming_and_going& fixture) {
                                SetWindowTextA(fixture.editor(), "1+2");
                                fixture.enter();
                                fixture.enter();
                            }}),
    [](const testing::TestParamInfo<way_out>& row) { return std::string(row.param.name); });

TEST_F(coming_and_going, an_application_clicked_into_meanwhile_keeps_the_focus) {
    start_with();
    foreign_editor came_from(300, 400);
    foreign_editor third(100, 100);
    bring_up_from(came_from);
    third.activate();
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == third.frame(); }));
    SendMessageA(main(), WM_COMMAND, IDM_HIDE, 0);
    pump_messages();
    EXPECT_EQ(GetForegroundWindow(), third.frame());
    EXPECT_EQ(third.focus(), third.edit());
}

TEST_F(coming_and_going, the_input_method_is_closed_in_the_editor_alone) {
    start_with();
    foreign_editor other(300, 400);
    other.open_input_method();
    HIMC context = ImmGetContext(editor());
    ASSERT_NE(context, nullptr);
    ImmSetOpenStatus(context, TRUE);
    bring_up_from(other);
    EXPECT_FALSE(ImmGetOpenStatus(context));
    EXPECT_TRUE(other.input_method_open());
    // The user opens it again with the input method's key: it stays open
    // while the calculator is up.
    ImmSetOpenStatus(context, TRUE);
    SetFocus(editor());
    EXPECT_TRUE(ImmGetOpenStatus(context));
    ImmReleaseContext(editor(), context);
}

} // namespace
