#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/hotkey.h"
#include "app/main_window.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "calculator_window_fixture.h"
#include "foreign_editor.h"
#include "options/settings_file.h"
#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/application.h"
#include "ui/program_resources.h"

namespace {

// The ids of a menu's items, separators as 0.
std::vector<UINT> item_ids(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

std::string item_text(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

// The message box stand-in: records what would have been shown.
struct shown_message {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<shown_message> shown_messages;
int WINAPI record_message_box(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    shown_messages.push_back({owner, text, caption, type});
    return IDOK;
}

class desktop_test : public calculator_window_fixture {
protected:
    void SetUp() override {
        shown_messages.clear();
        previous_box = set_hotkey_message_box(record_message_box);
    }

    void start(const std::function<void(settings&)>& tweak = {}) {
        calculator_window_fixture::start([&](settings& record) {
            record.window_rect = {500, 300, 700, 360};
            if (tweak)
                tweak(record);
        });
    }

    void TearDown() override {
        calculator_window_fixture::TearDown();
        set_hotkey_message_box(previous_box);
    }

    HWND main() { return calculator->handle(); }
    HWND editor() { return editor_handle(); }
    RECT window_rect() {
        RECT r{};
        GetWindowRect(main(), &r);
        return r;
    }
    void press_hotkey() { SendMessageA(main(), WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE)); }
    // Commits 1+2 and presses Enter again, which sends the answer to the
    // window the hotkey came from, if any.
    void commit_and_send() {
        SetWindowTextA(editor(), "1+2");
        SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001);
        SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001);
    }
    void bring_to_front() {
        ShowWindow(main(), SW_SHOW);
        SetForegroundWindow(main());
        pump_messages();
    }

    message_box_function previous_box = nullptr;
};

// ------------------------------------------------------------------ tray menu

struct menu_case {
    const char* name;
    bool visible;
    bool hotkey_registered;
    std::vector<UINT> items;
};

class tray_menu : public testing::TestWithParam<menu_case> {
protected:
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};

TEST_P(tray_menu, offers_what_fits_the_window_and_the_hotkey) {
    const menu_case& c = GetParam();
    const popup_menu menu(IDR_TRAY_MENU);
    ASSERT_NE(menu.items(), nullptr);
    tray_icon::fit_menu(menu.items(), c.visible, c.hotkey_registered);
    EXPECT_EQ(item_ids(menu.items()), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    desktop, tray_menu,
    testing::Values(menu_case{"hidden",
                              false,
                              true,
                              {IDM_SHOW, IDM_TOGGLE_TRAY, 0, IDM_OPTIONS, IDM_ABOUT, 0, IDM_HELP, IDM_EXIT}},
                    menu_case{"visible",
                              true,
                              true,
                              {IDM_HIDE, IDM_TOGGLE_TRAY, 0, IDM_OPTIONS, IDM_ABOUT, 0, IDM_HELP, IDM_EXIT}},
                    menu_case{"hidden_without_hotkey",
                              false,
                              false,
                              {IDM_SHOW, 0, IDM_OPTIONS, IDM_ABOUT, 0, IDM_HELP, IDM_EXIT}},
                    menu_case{"visible_without_hotkey",
                              true,
                              false,
                              {IDM_HIDE, 0, IDM_OPTIONS, IDM_ABOUT, 0, IDM_HELP, IDM_EXIT}}),
    [](const testing::TestParamInfo<menu_case>& param) { return std::string(param.param.name); });

TEST(tray_menu_texts, are_the_japanese_items) {
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    const popup_menu shown_menu(IDR_TRAY_MENU);
    const popup_menu hidden_menu(IDR_TRAY_MENU);
    tray_icon::fit_menu(shown_menu.items(), false, true);
    tray_icon::fit_menu(hidden_menu.items(), true, true);
    HMENU shown = shown_menu.items();
    HMENU hidden = hidden_menu.items();
    EXPECT_EQ(item_text(shown, IDM_SHOW), sjis("ウィンドウを表示(&S)"));
    EXPECT_EQ(item_text(hidden, IDM_HIDE), sjis("ウィンドウを隠す(&H)"));
    EXPECT_EQ(item_text(shown, IDM_TOGGLE_TRAY), sjis("アイコンを隠す(&I)"));
    EXPECT_EQ(item_text(shown, IDM_OPTIONS), sjis("オプション(&O)"));
    EXPECT_EQ(item_text(shown, IDM_ABOUT), sjis("Tarvikについて(&A)"));
    EXPECT_EQ(item_text(shown, IDM_HELP), sjis("ヘルプ(&P)"));
    EXPECT_EQ(item_text(shown, IDM_EXIT), sjis("終了(&X)"));
}

// ------------------------------------------------------------ tray callback

// Reads the menu that the right click tracks, then closes it.
std::vector<UINT> tracked_items;
void CALLBACK read_tracked_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu_window = FindWindowA("#32768", nullptr);
    if (!menu_window)
        return;
    KillTimer(nullptr, timer);
    tracked_items = item_ids(reinterpret_cast<HMENU>(SendMessageA(menu_window, MN_GETHMENU, 0, 0)));
    EndMenu();
}

TEST_F(desktop_test, left_click_on_the_icon_shows_the_window_in_place_and_focuses_the_editor) {
    start();
    foreign_editor other(100, 500);
    const RECT before = window_rect();
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_EQ(GetFocus(), editor());
    const RECT after = window_rect();
    EXPECT_TRUE(EqualRect(&before, &after));
    commit_and_send();
    EXPECT_EQ(other.received(), "") << "a click gives no window to send to";
}

TEST_F(desktop_test, left_click_brings_a_visible_window_to_the_front) {
    start();
    foreign_editor other(100, 500);
    ShowWindow(main(), SW_SHOWNOACTIVATE);
    other.activate();
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == other.frame(); }));
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == main(); }));
}

TEST_F(desktop_test, other_icons_and_mouse_messages_change_nothing) {
    start();
    SendMessageA(main(), TRAY_MESSAGE, 1, WM_LBUTTONDOWN);
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_MOUSEMOVE);
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(main()));
}

TEST_F(desktop_test, right_click_tracks_the_menu_for_a_hidden_window) {
    start();
    tracked_items.clear();
    SetTimer(nullptr, 0, 50, read_tracked_menu);
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(tracked_items, (std::vector<UINT>{IDM_SHOW, IDM_TOGGLE_TRAY, 0, IDM_OPTIONS, IDM_ABOUT, 0,
                                                IDM_HELP, IDM_EXIT}));
    // The message after the menu, without which the next right click misses.
    MSG after{};
    EXPECT_TRUE(PeekMessageA(&after, main(), WM_NULL, WM_NULL, PM_REMOVE));
}

TEST_F(desktop_test, right_click_tracks_the_menu_for_a_visible_window) {
    start();
    bring_to_front();
    tracked_items.clear();
    SetTimer(nullptr, 0, 50, read_tracked_menu);
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(tracked_items, (std::vector<UINT>{IDM_HIDE, IDM_TOGGLE_TRAY, 0, IDM_OPTIONS, IDM_ABOUT, 0,
                                                IDM_HELP, IDM_EXIT}));
}

// The shell restarted: it broadcasts "TaskbarCreated" to every top-level
// window, having forgotten every icon.
class shell_restart : public desktop_test, public testing::WithParamInterface<bool> {
protected:
    bool icon_known() {
        NOTIFYICONDATAA record{};
        record.cbSize = NOTIFYICONDATAA_V1_SIZE;
        record.hWnd = main();
        record.uID = 0;
        return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
    }
    void forget_icon() {
        NOTIFYICONDATAA record{};
        record.cbSize = NOTIFYICONDATAA_V1_SIZE;
        record.hWnd = main();
        record.uID = 0;
        Shell_NotifyIconA(NIM_DELETE, &record);
    }
};

TEST_P(shell_restart, brings_the_icon_back_only_when_show_tray_is_on) {
    const bool show_tray = GetParam();
    start([&](settings& record) { record.show_tray = show_tray; });
    ASSERT_EQ(icon_known(), show_tray);
    forget_icon();
    ASSERT_FALSE(icon_known());
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG,
                        2000, &result);
    pump_messages();
    EXPECT_EQ(icon_known(), show_tray);
    forget_icon();
}
INSTANTIATE_TEST_SUITE_P(desktop, shell_restart, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& parameter) {
                             return std::string(parameter.param ? "show_tray_on" : "show_tray_off");
                         });

// ------------------------------------------------------------------- hotkey

struct modifier_case {
    std::int32_t hotkey;
    UINT modifiers;
    UINT key;
};

class hotkey_values : public testing::TestWithParam<modifier_case> {};

TEST_P(hotkey_values, map_to_modifiers_and_key) {
    EXPECT_EQ(hotkey_modifiers(GetParam().hotkey), GetParam().modifiers);
    EXPECT_EQ(hotkey_virtual_key(GetParam().hotkey), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(desktop, hotkey_values,
                         testing::Values(modifier_case{0x0420, MOD_ALT, VK_SPACE},
                                         modifier_case{0x0241, MOD_CONTROL, 'A'},
                                         modifier_case{0x0141, MOD_SHIFT, 'A'},
                                         modifier_case{0x0741, MOD_ALT | MOD_CONTROL | MOD_SHIFT, 'A'},
                                         // Ctrl with the navigation block's Home key.
                                         modifier_case{0x0A24, MOD_CONTROL, VK_HOME},
                                         modifier_case{0x0070, 0, VK_F1}));

TEST_F(desktop_test, registers_the_hotkey_so_that_no_other_window_can_take_it) {
    start([](settings& s) { s.hotkey = 0x0A24; }); // Ctrl+Home, extended
    EXPECT_TRUE(hotkey_held(MOD_CONTROL, VK_HOME));
    EXPECT_TRUE(shown_messages.empty());
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 0, MOD_CONTROL, VK_HOME));
    DestroyWindow(other);
}

TEST_F(desktop_test, a_taken_hotkey_is_reported_and_the_tray_icon_takes_over) {
    HWND holder = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 0, MOD_ALT, VK_SPACE));
    start();
    UnregisterHotKey(holder, 0);
    DestroyWindow(holder);

    ASSERT_EQ(shown_messages.size(), 1u);
    EXPECT_EQ(shown_messages[0].owner, main());
    EXPECT_EQ(shown_messages[0].text,
              sjis("ホットキーの登録に失敗しました。他のホットキーを設定してください。"));
    EXPECT_EQ(shown_messages[0].caption, "Tarvik");
    EXPECT_EQ(shown_messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(hotkey_held(MOD_ALT, VK_SPACE));
    EXPECT_TRUE(calculator->current_settings().show_tray);

    // The icon is there: the shell knows it.
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = main();
    record.uID = 0;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &record));

    tracked_items.clear();
    SetTimer(nullptr, 0, 50, read_tracked_menu);
    SendMessageA(main(), TRAY_MESSAGE, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(tracked_items, (std::vector<UINT>{IDM_SHOW, 0, IDM_OPTIONS, IDM_ABOUT, 0, IDM_HELP, IDM_EXIT}));
}

// No hotkey is quietly none; a key without Ctrl or Alt is refused as a taken
// one is, so that it never reaches other applications.
TEST_F(desktop_test, no_hotkey_registers_nothing_quietly_and_a_plain_key_is_refused) {
    const struct {
        std::int32_t hotkey;
        std::size_t messages;
    } cases[] = {{0x0000, 0}, {0x0041, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hotkey);
        shown_messages.clear();
        start([&](settings& s) { s.hotkey = c.hotkey; });
        EXPECT_FALSE(hotkey_held(MOD_ALT, VK_SPACE)) << "nor the default hotkey";
        EXPECT_EQ(shown_messages.size(), c.messages);
        EXPECT_TRUE(calculator->current_settings().show_tray) << "the tray is the way back";
        HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        EXPECT_TRUE(RegisterHotKey(other, 0, 0, 'A')) << "'A' stays free for other applications";
        UnregisterHotKey(other, 0);
        DestroyWindow(other);
        DestroyWindow(main());
        calculator.reset();
        pump_messages();
    }
}

TEST_F(desktop_test, the_hotkey_hides_the_calculator_in_front_and_keeps_its_state) {
    start();
    bring_to_front();
    ASSERT_EQ(GetForegroundWindow(), main());
    SetWindowTextA(editor(), "1+2");
    const RECT before = window_rect();
    press_hotkey();
    EXPECT_FALSE(IsWindowVisible(main()));
    char text[16] = {};
    GetWindowTextA(editor(), text, sizeof text);
    EXPECT_STREQ(text, "1+2");
    const RECT after = window_rect();
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(desktop_test, the_hotkey_from_another_application_comes_up_at_its_caret) {
    start();
    foreign_editor other(300, 400);
    other.activate();
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == other.frame(); }));
    const typing_position typing = capture_typing_position(other.frame());
    ASSERT_EQ(typing.focus, other.edit());

    press_hotkey();
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == main(); }));
    EXPECT_EQ(GetFocus(), editor());

    ASSERT_TRUE(typing.anchor);
    EXPECT_EQ(typing.anchor->source, anchor_source::system_caret);
    const RECT placed = window_rect();
    EXPECT_EQ(placed.left, typing.anchor->area.left);
    EXPECT_EQ(placed.bottom, typing.anchor->area.top);
    EXPECT_EQ(placed.right - placed.left, 200); // the size is kept

    // Pressed again with the calculator in front, it hides it; the answer
    // still goes where the hotkey came from.
    press_hotkey();
    EXPECT_FALSE(IsWindowVisible(main()));
    commit_and_send();
    EXPECT_EQ(other.received(), "3");
}

TEST_F(desktop_test, a_window_of_the_calculator_thread_in_front_gives_no_target) {
    start([](settings& s) { s.show_position = 0; });
    // A target from an earlier hotkey press, given up by the next one.
    foreign_editor other(100, 500);
    other.activate();
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == other.frame(); }));
    press_hotkey();
    press_hotkey();
    ASSERT_FALSE(IsWindowVisible(main()));
    HWND own = CreateWindowExA(0, "STATIC", "own", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
    SetForegroundWindow(own);
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == own; }));
    const RECT before = window_rect();
    press_hotkey();
    const RECT after = window_rect();
    EXPECT_TRUE(EqualRect(&before, &after)); // no target: it stays where it was
    EXPECT_TRUE(IsWindowVisible(main()));
    commit_and_send();
    EXPECT_EQ(other.received(), "");
    DestroyWindow(own);
}

// ---------------------------------------------------------------- placement

class placement_test : public desktop_test {
protected:
    RECT work_area() {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    // A window in this thread standing in for the receiving application.
    HWND target_at(int x, int y, int width = 300, int height = 200) {
        target = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                                 nullptr, nullptr, nullptr);
        return target;
    }
    void TearDown() override {
        if (target)
            DestroyWindow(target);
        desktop_test::TearDown();
    }
    HWND target = nullptr;
};

TEST_F(placement_test, at_the_caret_the_bottom_edge_lies_on_the_caret_top) {
    start();
    target_at(300, 400);
    place_window(main(), 0, target, POINT{10, 20});
    const RECT r = window_rect();
    EXPECT_EQ(r.left, 310);
    EXPECT_EQ(r.bottom, 420);
    EXPECT_EQ(r.right - r.left, 200);
}

TEST_F(placement_test, near_the_top_the_window_covers_the_caret_line) {
    start();
    target_at(300, 0);
    place_window(main(), 0, target, POINT{0, 10});
    EXPECT_EQ(window_rect().top, 0);
    EXPECT_EQ(window_rect().left, 300);
}

TEST_F(placement_test, near_the_right_edge_the_right_edges_meet) {
    start();
    const RECT work = work_area();
    target_at(work.right - 50, 400, 40, 100);
    place_window(main(), 0, target, POINT{20, 50});
    EXPECT_EQ(window_rect().right, work.right);
}

TEST_F(placement_test, beyond_the_bottom_the_window_stays_on_the_work_area) {
    start();
    const RECT work = work_area();
    target_at(100, 100);
    place_window(main(), 0, target, POINT{0, work.bottom + 500});
    EXPECT_EQ(window_rect().bottom, work.bottom);
}

TEST_F(placement_test, without_a_target_the_caret_position_does_not_move_the_window) {
    start();
    const RECT before = window_rect();
    place_window(main(), 0, nullptr, POINT{10, 10});
    const RECT after = window_rect();
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(placement_test, at_the_top_right_of_the_foreground_window) {
    start();
    target_at(200, 150, 500, 300);
    SetForegroundWindow(target);
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == target; }));
    place_window(main(), 1, nullptr, POINT{});
    EXPECT_EQ(window_rect().right, 700);
    EXPECT_EQ(window_rect().top, 150);
}

TEST_F(placement_test, where_it_was_never_moves) {
    start();
    target_at(10, 10);
    const RECT before = window_rect();
    place_window(main(), 2, target, POINT{100, 100});
    const RECT after = window_rect();
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(placement_test, an_unknown_position_places_at_the_caret) {
    start();
    target_at(300, 400);
    place_window(main(), 7, target, POINT{10, 20});
    EXPECT_EQ(window_rect().left, 310);
    EXPECT_EQ(window_rect().bottom, 420);
}

} // namespace
