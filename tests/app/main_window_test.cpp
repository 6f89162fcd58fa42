#include "app/main_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "calculator_window_fixture.h"
#include "options/settings_file.h"
#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/application.h"
#include "ui/program_resources.h"
#include "ui/text.h"

namespace {

constexpr colour_value RED = 0x0000FF;
constexpr colour_value BLUE = 0xFF0000;

std::string text_of(HWND handle) {
    std::string text;
    get_window_text(handle, text);
    return text;
}

class main_window_test : public calculator_window_fixture {
protected:
    HWND editor() { return editor_handle(); }
    HWND answer() { return answer_handle(); }
    std::string editor_text() { return text_of(editor()); }
    std::string answer_text() { return text_of(answer()); }

    // Replaces the whole text the way typing or pasting does, with a change
    // notification.
    void set_expression(const char* text) {
        SendMessageA(editor(), EM_SETSEL, 0, -1);
        SendMessageA(editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    void enter() { SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001); }
    void commit(const char* text) {
        set_expression(text);
        enter();
    }
    void command(UINT id) { SendMessageA(calculator->handle(), WM_COMMAND, id, 0); }
    // What Ans holds, as an expression that uses it answers.
    std::string ans_times(const char* factor) {
        commit((std::string("ans*") + factor).c_str());
        return answer_text();
    }
};

TEST_F(main_window_test, starts_edited_with_ans_zero_shown) {
    start();
    EXPECT_EQ(calculator->current_answer_state(), edited);
    EXPECT_EQ(answer_text(), "0");
    EXPECT_FALSE(IsWindowVisible(calculator->handle()));
    EXPECT_EQ(ans_times("1"), "0");
}

// The settings reach the session: the answer is formatted, the history keeps
// it as shown and Ans takes it without commas. The rules themselves are
// tested on the session.
TEST_F(main_window_test, a_commit_shows_the_answer_and_keeps_history_and_ans) {
    start([](settings& s) {
        s.comma = true;
        s.precision = 2;
    });
    commit("1234.567");
    EXPECT_EQ(calculator->current_answer_state(), committed);
    EXPECT_EQ(answer_text(), "1,234.57");
    EXPECT_EQ(history_rows(), std::vector<std::string>{"1234.567 = 1,234.57"});
    EXPECT_EQ(answer_control().text_colour(), GetSysColor(COLOR_BTNTEXT));
    // Ans holds the rounded answer, which an expression reads without commas.
    EXPECT_EQ(ans_times("1000"), "1,234,570");
}

TEST_F(main_window_test, enter_on_an_empty_editor_shows_the_error_and_a_second_enter_does_nothing) {
    start();
    enter();
    EXPECT_EQ(calculator->current_answer_state(), eval_failed);
    EXPECT_EQ(answer_text(), sjis("式が空です。"));
    EXPECT_EQ(answer_control().text_colour(), RED);
    SetWindowTextA(answer(), "marker");
    enter();
    EXPECT_EQ(answer_text(), "marker");
    EXPECT_EQ(calculator->current_answer_state(), eval_failed);
    EXPECT_TRUE(history_rows().empty());
}

TEST_F(main_window_test, a_second_enter_on_the_same_answer_adds_no_history_entry) {
    start();
    commit("5*5");
    enter();
    EXPECT_EQ(calculator->current_answer_state(), committed);
    EXPECT_EQ(history_rows().size(), 1u);
    EXPECT_EQ(answer_text(), "25");
}

class cursor_key_cases : public main_window_test, public testing::WithParamInterface<UINT> {};

TEST_P(cursor_key_cases, after_a_commit_make_the_next_enter_evaluate_again) {
    start();
    commit("6/3");
    SendMessageA(editor(), WM_KEYDOWN, GetParam(), 1);
    EXPECT_EQ(calculator->current_answer_state(), edited);
    enter();
    EXPECT_EQ(history_rows().size(), 2u);
    EXPECT_EQ(history_rows()[0], "6/3 = 2");
}

INSTANTIATE_TEST_SUITE_P(keys, cursor_key_cases, testing::Values(VK_HOME, VK_END, VK_LEFT, VK_RIGHT));

TEST_F(main_window_test, up_and_down_leave_the_committed_state) {
    start();
    commit("6/3");
    SendMessageA(editor(), WM_KEYDOWN, VK_UP, 1);
    SendMessageA(editor(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(calculator->current_answer_state(), committed);
}

TEST_F(main_window_test, live_evaluation_runs_on_a_copy_of_the_engine) {
    start([](settings& s) { s.show_nc_ans = true; });
    set_expression("x=5");
    EXPECT_EQ(answer_text(), "5");
    EXPECT_EQ(answer_control().text_colour(), BLUE);
    EXPECT_EQ(calculator->current_answer_state(), edited);
    EXPECT_EQ(variable_text("x"), "");
    enter();
    EXPECT_EQ(variable_text("x"), "5");
    EXPECT_EQ(answer_control().text_colour(), GetSysColor(COLOR_BTNTEXT));
}

TEST_F(main_window_test, answer_mode_change_shows_ans_in_the_new_form) {
    start();
    commit("255");
    command(IDM_HEX);
    EXPECT_EQ(answer_text(), "0xFF");
    EXPECT_EQ(calculator->current_settings().answer_mode, 4);
    EXPECT_EQ(calculator->current_answer_state(), committed);
    command(IDM_BINARY);
    EXPECT_EQ(answer_text(), "0b11111111");
    command(IDM_REAL);
    EXPECT_EQ(answer_text(), "255");
}

TEST_F(main_window_test, angle_mode_commands_set_engine_and_settings) {
    start();
    commit("1");
    command(IDM_RADIAN);
    EXPECT_EQ(calculator->current_settings().angle_mode, 1);
    EXPECT_EQ(calculator->current_answer_state(), edited);
    commit("asin(1)");
    EXPECT_EQ(answer_text(), "1.5707963268");
    command(IDM_GRAD);
    commit("asin(1)");
    EXPECT_EQ(answer_text(), "100");
    command(IDM_DEGREE);
    commit("asin(1)");
    EXPECT_EQ(answer_text(), "90");
}

TEST_F(main_window_test, escape_empties_the_editor_or_hides_the_window) {
    start();
    set_expression("1+1");
    SendMessageA(editor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(editor_text(), "");
    DestroyWindow(calculator->handle());
    start([](settings& s) { s.esc_hide = true; });
    ShowWindow(calculator->handle(), SW_SHOWNOACTIVATE);
    set_expression("1+1");
    SendMessageA(editor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindowVisible(calculator->handle()));
    EXPECT_EQ(editor_text(), "1+1");
}

TEST_F(main_window_test, alt_x_and_alt_z_work_through_the_editor) {
    start();
    set_expression("12");
    SendMessageA(editor(), EM_SETSEL, 0, 2);
    SendMessageA(editor(), WM_SYSKEYDOWN, 'X', 1 << 29);
    EXPECT_EQ(editor_text(), "()");
    DWORD start_pos = 0;
    DWORD end_pos = 0;
    SendMessageA(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start_pos),
                 reinterpret_cast<LPARAM>(&end_pos));
    EXPECT_EQ(start_pos, 1u);

    set_expression("(1+(2))");
    SendMessageA(editor(), EM_SETSEL, 0, 0);
    SendMessageA(editor(), WM_SYSKEYDOWN, 'Z', 1 << 29);
    SendMessageA(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start_pos),
                 reinterpret_cast<LPARAM>(&end_pos));
    EXPECT_EQ(start_pos, 6u);
    SendMessageA(editor(), WM_SYSKEYDOWN, 'Z', 1 << 29);
    SendMessageA(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start_pos),
                 reinterpret_cast<LPARAM>(&end_pos));
    EXPECT_EQ(start_pos, 0u);
}

TEST_F(main_window_test, typing_an_operator_after_a_commit_continues_from_ans) {
    start([](settings& s) { s.show_nc_ans = true; });
    commit("20");
    SendMessageA(editor(), WM_CHAR, '/', 1);
    SendMessageA(editor(), WM_CHAR, '4', 1);
    EXPECT_EQ(editor_text(), "ans/4");
    EXPECT_EQ(answer_text(), "5");
    enter();
    EXPECT_EQ(history_rows()[0], "20/4 = 5");
}

TEST_F(main_window_test, a_click_on_the_icon_hides_the_window) {
    start();
    ShowWindow(calculator->handle(), SW_SHOWNOACTIVATE);
    SendMessageA(calculator->handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
    EXPECT_TRUE(IsWindowVisible(calculator->handle()));
    SendMessageA(calculator->handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(15, 15));
    EXPECT_FALSE(IsWindowVisible(calculator->handle()));
}

TEST_F(main_window_test, always_on_top_command_flips_the_setting_and_the_window) {
    start();
    command(IDM_TOPMOST);
    EXPECT_TRUE(calculator->current_settings().show_top);
    EXPECT_TRUE(GetWindowLongA(calculator->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    command(IDM_TOPMOST);
    EXPECT_FALSE(calculator->current_settings().show_top);
    EXPECT_FALSE(GetWindowLongA(calculator->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// A frame colour left to the system follows a changed system colour at
// once; a chosen one stays.
TEST_F(main_window_test, a_system_colour_change_re_applies_the_automatic_colours) {
    start([](settings& s) {
        s.ans_frame_color = AUTO_COLOR;
        s.exp_frame_color = 0x0000FF;
    });
    const INT element = COLOR_BTNSHADOW;
    const COLORREF saved = GetSysColor(element);
    const COLORREF changed = saved == RGB(10, 20, 30) ? RGB(30, 20, 10) : RGB(10, 20, 30);
    SetSysColors(1, &element, &changed);
    SendMessageA(calculator->handle(), WM_SYSCOLORCHANGE, 0, 0);
    const colour_value answer_frame = answer_control().frame_colour();
    SetSysColors(1, &element, &saved);
    EXPECT_EQ(answer_frame, changed);
    EXPECT_EQ(editor_control().frame_colour(), 0x0000FFu);
}

TEST_F(main_window_test, fields_are_laid_out_beside_the_grip) {
    start();
    SetWindowPos(calculator->handle(), nullptr, 100, 100, 320, 160, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(calculator->handle(), &client);
    const int h = answer_control().preferred_height();
    auto placement = [&](HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, calculator->handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT e = placement(editor());
    const RECT a = placement(answer());
    EXPECT_EQ(e.left, 17);
    EXPECT_EQ(e.top, 1);
    EXPECT_EQ(e.right, client.right - 1);
    EXPECT_EQ(e.bottom, client.bottom - h - 4);
    EXPECT_EQ(a.left, 17);
    EXPECT_EQ(a.top, client.bottom - h - 1);
    EXPECT_EQ(a.bottom, client.bottom - 1);
}

TEST_F(main_window_test, height_fits_the_fonts_and_the_minimum_size_keeps_both_fields) {
    start();
    const int frame = GetSystemMetrics(SM_CXFRAME);
    RECT window_rect{};
    GetWindowRect(calculator->handle(), &window_rect);
    RECT editor_rect{};
    GetWindowRect(editor(), &editor_rect);
    EXPECT_EQ(window_rect.left, 50);
    EXPECT_EQ(window_rect.top, 50);
    EXPECT_EQ(window_rect.right - window_rect.left, 300);
    const int editor_height = std::max<int>(editor_rect.bottom - editor_rect.top,
                                            editor_control().preferred_height());
    EXPECT_EQ(window_rect.bottom - window_rect.top,
              editor_height + answer_control().preferred_height() + 2 * frame + 3);

    MINMAXINFO info{};
    SendMessageA(calculator->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 2 * frame + 14);
    EXPECT_EQ(info.ptMinTrackSize.y, answer_control().preferred_height() +
                                         editor_control().preferred_height() + 2 * frame + 3);
}

struct hit_point {
    const char* name;
    int x; // client coordinates
    int y;
    bool disable_resize;
    LRESULT expected;
};

class hit_test_cases : public main_window_test, public testing::WithParamInterface<hit_point> {};

TEST_P(hit_test_cases, give_drag_size_and_client_areas) {
    const hit_point& p = GetParam();
    start([&](settings& s) { s.disable_resize = p.disable_resize; });
    RECT client{};
    GetClientRect(calculator->handle(), &client);
    // 1000 stands for the right border, just outside the client area.
    POINT point{p.x == 1000 ? client.right + 1 : p.x, p.y};
    ClientToScreen(calculator->handle(), &point);
    EXPECT_EQ(SendMessageA(calculator->handle(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), p.expected);
}

INSTANTIATE_TEST_SUITE_P(points, hit_test_cases,
                         testing::Values(hit_point{"icon", 5, 5, false, HTCLIENT},
                                         hit_point{"grip", 8, 60, false, HTCAPTION},
                                         hit_point{"right_margin_of_the_grip", 16, 30, false, HTCAPTION},
                                         hit_point{"left_border", -2, 40, false, HTLEFT},
                                         hit_point{"left_border_fixed_size", -2, 40, true, HTCAPTION},
                                         hit_point{"right_border", 1000, 40, false, HTRIGHT},
                                         hit_point{"right_border_fixed_size", 1000, 40, true, HTCAPTION}),
                         [](const testing::TestParamInfo<hit_point>& test) {
                             return std::string(test.param.name);
                         });

TEST_F(main_window_test, out_of_range_settings_fall_back_to_their_defaults) {
    start([](settings& s) {
        s.answer_mode = 7;
        s.angle_mode = 5;
        s.precision = 40;
        s.exp_translate = 0;
        s.main_frame_style = 9;
        s.exp_frame_style = -1;
        s.ans_frame_style = 3;
        s.exp_font_size = 0;
        s.ans_font_size = 100000;
    });
    const settings defaults;
    const settings& s = calculator->current_settings();
    EXPECT_EQ(s.answer_mode, defaults.answer_mode);
    EXPECT_EQ(s.angle_mode, defaults.angle_mode);
    EXPECT_EQ(s.precision, defaults.precision);
    EXPECT_EQ(s.exp_translate, defaults.exp_translate);
    EXPECT_EQ(s.main_frame_style, 0);
    EXPECT_EQ(editor_control().frame_style(), 0);
    EXPECT_EQ(answer_control().frame_style(), 0);
    EXPECT_EQ(editor_control().font_size(), 10);
    EXPECT_EQ(answer_control().font_size(), 10);
    EXPECT_EQ(answer_text(), "0");
    commit("1/3");
    EXPECT_EQ(answer_text(), "0.3333333333");
    commit("asin(1)");
    EXPECT_EQ(answer_text(), "90");
}

TEST_F(main_window_test, a_user_function_the_engine_refuses_is_skipped_and_named_once_at_start) {
    static std::vector<std::string> shown;
    shown.clear();
    const message_box_function previous = set_message_box_function(
        [](HWND, LPCSTR text, LPCSTR, UINT) -> int {
            shown.push_back(text);
            return IDOK;
        });
    start([](settings& s) { s.user_function_texts = {"dbl(x)=2*x//", "bad(x=//", "sq(x)=x*x//"}; });
    set_message_box_function(previous);
    commit("dbl(3)+sq(4)");
    EXPECT_EQ(answer_text(), "22");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("\r\n\r\nf1=bad(x=//\r\n"), std::string::npos) << shown[0];
}

TEST_F(main_window_test, destruction_saves_settings_history_and_variables) {
    start();
    commit("k=1+2");
    command(IDM_OCTAL);
    SetWindowPos(calculator->handle(), nullptr, 70, 80, 310, 140, SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindow(calculator->handle());
    EXPECT_EQ(file_contents(directory + "history.txt"), "k=1+2 = 3\r\n");
    EXPECT_NE(file_contents(directory + "var.txt").find("k = 3\r\n"), std::string::npos);
    settings saved;
    load_settings(saved, directory + "Tarvik.ini");
    EXPECT_EQ(saved.answer_mode, 3);
    EXPECT_EQ(saved.window_rect, (window_rectangle{70, 80, 380, 220}));
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(main_window_test, saving_keeps_hand_edited_values_the_user_did_not_change) {
    start([](settings& s) {
        s.ans_font_size = 80;
        s.exp_font_size = 0;
        s.precision = 99;
        s.answer_mode = 9;
    });
    EXPECT_EQ(answer_control().font_size(), 80);
    EXPECT_EQ(editor_control().font_size(), 10);
    command(IDM_HEX);
    DestroyWindow(calculator->handle());
    settings saved;
    load_settings(saved, directory + "Tarvik.ini");
    EXPECT_EQ(saved.ans_font_size, 80);
    EXPECT_EQ(saved.exp_font_size, 0);
    EXPECT_EQ(saved.precision, 99);
    EXPECT_EQ(saved.answer_mode, 4); // changed by the user
}

TEST_F(main_window_test, a_stored_rectangle_off_every_monitor_opens_on_the_work_area) {
    start([](settings& s) { s.window_rect = {-40000, 90000, -39700, 90150}; });
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT shown{};
    GetWindowRect(calculator->handle(), &shown);
    EXPECT_EQ(shown.left, work.left);
    EXPECT_EQ(shown.bottom, work.bottom);
    EXPECT_EQ(shown.right - shown.left, 300);
}

// The data files are read after the first paint; a window closed before that
// must not write them over with the empty lists it holds.
TEST_F(main_window_test, closing_before_the_start_is_finished_leaves_history_and_variables_alone) {
    for (const char* name : {"history.txt", "var.txt"}) {
        std::ofstream out(directory + name, std::ios::binary);
        out << "q = 7\r\n";
    }
    settings record;
    record.show_tray = false;
    save_settings(record, directory + "Tarvik.ini");
    calculator = std::make_unique<main_window>(directory);
    ASSERT_TRUE(calculator->create(nullptr));
    DestroyWindow(calculator->handle());
    EXPECT_EQ(file_contents(directory + "history.txt"), "q = 7\r\n");
    EXPECT_EQ(file_contents(directory + "var.txt"), "q = 7\r\n");
}

TEST_F(main_window_test, ans_starts_at_zero_whatever_the_variable_file_held) {
    {
        std::ofstream out(directory + "var.txt", std::ios::binary);
        out << "ans = 42\r\nq = 7\r\n";
    }
    start();
    EXPECT_EQ(variable_text("q"), "7");
    EXPECT_EQ(ans_times("1"), "0");
}

// The query saves and says yes; a cancelled shutdown leaves the calculator
// running, and only the end of the session ends it.
TEST_F(main_window_test, the_session_ends_it_only_when_the_end_is_certain) {
    start();
    EXPECT_EQ(SendMessageA(calculator->handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(IsWindow(calculator->handle()));
    EXPECT_FALSE(file_contents(directory + "Tarvik.ini").empty());
    EXPECT_NE(GetFileAttributesA((directory + "history.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    SendMessageA(calculator->handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(calculator->handle()));
    SendMessageA(calculator->handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(calculator->handle()));
}

// The error's span is drawn once more one pixel to the right, so it holds
// more dark pixels than before; the rest of the text does not change.
int dark_pixels(HWND control, int left, int right) {
    HDC dc = GetDC(control);
    RECT client{};
    GetClientRect(control, &client);
    int count = 0;
    for (int x = left; x < right; ++x)
        for (int y = 0; y < client.bottom; ++y)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0)
                ++count;
    ReleaseDC(control, dc);
    return count;
}

TEST_F(main_window_test, a_failed_commit_emphasises_the_characters_of_the_error) {
    start([](settings& s) { s.exp_font_color = 0; });
    ShowWindow(calculator->handle(), SW_SHOWNOACTIVATE);
    set_expression("1+foo(2)");
    UpdateWindow(editor());
    const LRESULT at3 = SendMessageA(editor(), EM_POSFROMCHAR, 2, 0);
    const LRESULT at5 = SendMessageA(editor(), EM_POSFROMCHAR, 5, 0);
    const int left = static_cast<short>(LOWORD(at3));
    const int right = static_cast<short>(LOWORD(at5)) + 1;
    const int before_span = dark_pixels(editor(), left, right);
    const int before_rest = dark_pixels(editor(), 0, left);
    enter();
    ASSERT_EQ(calculator->current_answer_state(), eval_failed);
    EXPECT_GT(dark_pixels(editor(), left, right), before_span);
    EXPECT_EQ(dark_pixels(editor(), 0, left), before_rest);
}

struct menu_case {
    const char* name;
    int answer_mode;
    int angle_mode;
    bool show_top;
    bool show_tray;
};

class main_menu_cases : public testing::TestWithParam<menu_case> {};

UINT state_of(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

TEST_P(main_menu_cases, check_the_current_modes_and_drop_tray_items) {
    const menu_case& c = GetParam();
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    settings record;
    record.answer_mode = c.answer_mode;
    record.angle_mode = c.angle_mode;
    record.show_top = c.show_top;
    record.show_tray = c.show_tray;
    prepare_main_menu(popup, record);
    for (int mode = 0; mode < 5; ++mode)
        EXPECT_EQ((state_of(popup, IDM_REAL + mode) & MF_CHECKED) != 0, mode == c.answer_mode);
    for (int mode = 0; mode < 3; ++mode)
        EXPECT_EQ((state_of(popup, IDM_DEGREE + mode) & MF_CHECKED) != 0, mode == c.angle_mode);
    EXPECT_EQ((state_of(popup, IDM_TOPMOST) & MF_CHECKED) != 0, c.show_top);
    EXPECT_EQ(state_of(popup, IDM_TOGGLE_TRAY) == UINT(-1), c.show_tray);
    EXPECT_EQ(state_of(popup, IDM_EXIT) == UINT(-1), c.show_tray);
    EXPECT_NE(state_of(popup, IDM_HIDE), UINT(-1));
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(settings, main_menu_cases,
                         testing::Values(menu_case{"defaults", 0, 0, false, true},
                                         menu_case{"hex_grad_on_top", 4, 2, true, true},
                                         menu_case{"binary_radian_no_tray", 2, 1, false, false},
                                         menu_case{"angle_time", 1, 0, true, false}),
                         [](const testing::TestParamInfo<menu_case>& test) {
                             return std::string(test.param.name);
                         });

std::string item_text(HMENU menu, UINT position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(main_menu, items_in_order_with_their_texts_and_commands) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    struct item {
        const char* text;
        UINT id; // 0: separator, UINT(-1): submenu
    };
    const std::vector<item> top = {{"隠す(&D)", IDM_HIDE},
                                   {"常に表示(&T)", IDM_TOPMOST},
                                   {"", 0},
                                   {"結果表示(&S)", UINT(-1)},
                                   {"角度(&A)", UINT(-1)},
                                   {"", 0},
                                   {"計算履歴(&H)", IDM_HISTORY},
                                   {"", 0},
                                   {"オプション(&O)", IDM_OPTIONS},
                                   {"アイコンを表示(&I)", IDM_TOGGLE_TRAY},
                                   {"", 0},
                                   {"ヘルプ(&P)", IDM_HELP},
                                   {"終了(&X)", IDM_EXIT}};
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(top.size()));
    for (UINT i = 0; i < top.size(); ++i) {
        EXPECT_EQ(item_text(popup, i), sjis(top[i].text)) << i;
        EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), top[i].id) << i;
    }
    const std::vector<item> forms = {
        {"実数(&D)", IDM_REAL},    {"角度/時間(&A)", IDM_ANGLE_TIME}, {"", 0},
        {"2進数(&B)", IDM_BINARY}, {"8進数(&O)", IDM_OCTAL},          {"16進数(&H)", IDM_HEX}};
    HMENU form_menu = GetSubMenu(popup, 3);
    ASSERT_EQ(GetMenuItemCount(form_menu), static_cast<int>(forms.size()));
    for (UINT i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(item_text(form_menu, i), sjis(forms[i].text)) << i;
        EXPECT_EQ(GetMenuItemID(form_menu, static_cast<int>(i)), forms[i].id) << i;
    }
    const std::vector<item> angles = {
        {"度(&D)", IDM_DEGREE}, {"ラジアン(&R)", IDM_RADIAN}, {"グラジアン(&G)", IDM_GRAD}};
    HMENU angle_menu = GetSubMenu(popup, 4);
    ASSERT_EQ(GetMenuItemCount(angle_menu), static_cast<int>(angles.size()));
    for (UINT i = 0; i < angles.size(); ++i) {
        EXPECT_EQ(item_text(angle_menu, i), sjis(angles[i].text)) << i;
        EXPECT_EQ(GetMenuItemID(angle_menu, static_cast<int>(i)), angles[i].id) << i;
    }
    DestroyMenu(menu);
}

TEST(accelerators, ctrl_letters_switch_the_answer_form) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    const int count = CopyAcceleratorTableA(table, entries, 8);
    ASSERT_EQ(count, 5);
    const struct {
        WORD key;
        WORD command;
    } expected[] = {
        {'D', IDM_REAL}, {'A', IDM_ANGLE_TIME}, {'B', IDM_BINARY}, {'O', IDM_OCTAL}, {'H', IDM_HEX}};
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << i;
        EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, FVIRTKEY | FCONTROL) << i;
    }
    DestroyAcceleratorTable(table);
}

} // namespace
