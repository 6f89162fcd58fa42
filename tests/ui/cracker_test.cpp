// The message cracker and the default handlers, checked as a round trip: each
// message goes through dispatch() into its default handler, which must hand
// the same parameters on to the previous window procedure (a recording one
// here) and turn its answer into the message result.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include "ui/window.h"

namespace {

struct forwarded {
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

forwarded last_forwarded;
LRESULT previous_answer = 0;

LRESULT CALLBACK recording_procedure(HWND, UINT message, WPARAM wparam, LPARAM lparam)
{
    last_forwarded = {message, wparam, lparam};
    return previous_answer;
}

class forwarding_window : public window {
public:
    forwarding_window() { set_previous_procedure(recording_procedure); }
};

DRAWITEMSTRUCT draw_item{ODT_BUTTON, 77, 0, 0, 0, nullptr, nullptr, {}, 0};
MEASUREITEMSTRUCT measure_item{ODT_LISTBOX, 55, 0, 0, 0, 0};
RECT some_rect{1, 2, 3, 4};

LPARAM point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

struct round_trip {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT previous_answer;
    WPARAM forwarded_wparam;
    LPARAM forwarded_lparam;
    LRESULT expected_result;
};

const round_trip round_trips[] = {
    {"create", WM_CREATE, 0, 0x1234, 1, 0, 0x1234, 1},
    {"create refused", WM_CREATE, 0, 0x1234, -1, 0, 0x1234, 0},
    {"destroy", WM_DESTROY, 0, 0, 5, 0, 0, 0},
    {"erase done", WM_ERASEBKGND, 0x40, 0, 1, 0x40, 0, 1},
    {"erase: only exactly 1 is true", WM_ERASEBKGND, 0x40, 0, 2, 0x40, 0, 0},
    {"set text answers 1", WM_SETTEXT, 0, 0x5678, 0, 0, 0x5678, 1},
    {"set cursor", WM_SETCURSOR, 0x10, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1, 0x10, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1},
    {"mouse activate", WM_MOUSEACTIVATE, 0x20, MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN), MA_NOACTIVATE, 0x20, MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN), MA_NOACTIVATE},
    {"hit test, negative", WM_NCHITTEST, 0, point(-10, 20), HTCAPTION, 0, point(-10, 20), HTCAPTION},
    {"ctl colour edit", WM_CTLCOLOREDIT, 0x30, 0x31, 0x99, 0x30, 0x31, 0x99},
    {"query end session", WM_QUERYENDSESSION, 0, 0, 1, 0, 0, 1},
    {"pos changing", WM_WINDOWPOSCHANGING, 0, 0x4444, 0, 0, 0x4444, 0},
    {"move negative", WM_MOVE, 0, point(-5, -6), 0, 0, point(-5, -6), 0},
    {"size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0},
    {"activate minimised", WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0x50, 7, MAKEWPARAM(WA_CLICKACTIVE, 1), 0x50, 0},
    {"activate app", WM_ACTIVATEAPP, 1, 0x1111, 0, 1, 0x1111, 0},
    {"set focus", WM_SETFOCUS, 0x60, 0, 0, 0x60, 0, 0},
    {"kill focus", WM_KILLFOCUS, 0x61, 0, 0, 0x61, 0, 0},
    {"enable", WM_ENABLE, 1, 0, 0, 1, 0, 0},
    {"show window", WM_SHOWWINDOW, 1, SW_PARENTOPENING, 0, 1, SW_PARENTOPENING, 0},
    {"context menu from keyboard", WM_CONTEXTMENU, 0x70, point(-1, -1), 0, 0x70, point(-1, -1), 0},
    {"nc button", WM_NCLBUTTONDOWN, HTCAPTION, point(-3, 4), 0, HTCAPTION, point(-3, 4), 0},
    {"button", WM_LBUTTONDBLCLK, MK_SHIFT, point(3, 4), 0, MK_SHIFT, point(3, 4), 0},
    {"key down", WM_KEYDOWN, VK_RETURN, 0x401C0001, 0, VK_RETURN, 0x401C0001, 0},
    // Only the character byte and the repeat count travel on.
    {"char", WM_CHAR, 0x1A4, 0x001E0003, 0, 0xA4, 0x0003, 0},
    {"sys char", WM_SYSCHAR, 'x', 0x202D0001, 0, 'x', 0x0001, 0},
    {"command", WM_COMMAND, MAKEWPARAM(1001, EN_CHANGE), 0x80, 0, MAKEWPARAM(1001, EN_CHANGE), 0x80, 0},
    {"sys command", WM_SYSCOMMAND, SC_CLOSE, point(100, 200), 0, SC_CLOSE, point(100, 200), 0},
    {"timer", WM_TIMER, 9, 0, 0, 9, 0, 0},
    {"scroll", WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0x90, 0, MAKEWPARAM(SB_THUMBTRACK, 300), 0x90, 0},
    {"init menu popup", WM_INITMENUPOPUP, 0xA0, MAKELPARAM(2, 1), 0, 0xA0, MAKELPARAM(2, 1), 0},
    {"menu select", WM_MENUSELECT, MAKEWPARAM(5, MF_POPUP), 0xB0, 0, MAKEWPARAM(5, MF_POPUP), 0xB0, 0},
    {"parent notify", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 3), point(7, 8), 0, MAKEWPARAM(WM_LBUTTONDOWN, 3), point(7, 8), 0},
    {"sizing", WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&some_rect), 0, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&some_rect), 0},
    {"hot key", WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE), 0, 0, MAKELPARAM(MOD_ALT, VK_SPACE), 0},
    // The control id of the word parameter comes from the record.
    {"draw item", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw_item), 0, 77, reinterpret_cast<LPARAM>(&draw_item), 0},
    {"measure item", WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure_item), 0, 55, reinterpret_cast<LPARAM>(&measure_item), 0},
    {"notify", WM_NOTIFY, 12, 0xC0, 3, 12, 0xC0, 0},
    {"unlisted message", WM_USER + 5, 0xD0, 0xD1, 42, 0xD0, 0xD1, 42},
};

class cracker_round_trip : public ::testing::TestWithParam<round_trip> {};

TEST_P(cracker_round_trip, default_handler_forwards_the_message_and_converts_its_answer)
{
    const round_trip& c = GetParam();
    forwarding_window object;
    previous_answer = c.previous_answer;
    last_forwarded = {};

    LRESULT result = object.dispatch(c.message, c.wparam, c.lparam);

    EXPECT_EQ(c.message, last_forwarded.message);
    EXPECT_EQ(c.forwarded_wparam, last_forwarded.wparam);
    EXPECT_EQ(c.forwarded_lparam, last_forwarded.lparam);
    EXPECT_EQ(c.expected_result, result);
}

INSTANTIATE_TEST_SUITE_P(messages, cracker_round_trip, ::testing::ValuesIn(round_trips),
                         [](const auto& test_case) {
                             std::string name = test_case.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// Handlers see the unpacked arguments, and their answers become the results.
class unpacking_window : public window {
public:
    std::string seen;
    bool erase_answer = false;

    bool on_erase_background(HDC dc) override
    {
        seen = "erase " + std::to_string(reinterpret_cast<UINT_PTR>(dc));
        return erase_answer;
    }
    void on_set_text(const char* text) override { seen = std::string("text ") + text; }
    void on_l_button_down(UINT key_flags, int x, int y) override
    {
        seen = "lbutton " + std::to_string(key_flags) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void on_size(UINT type, UINT width, UINT height) override
    {
        seen = "size " + std::to_string(type) + " " + std::to_string(width) + " " + std::to_string(height);
    }
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override
    {
        seen = "key " + std::to_string(virtual_key) + " " + std::to_string(repeat) + " " + std::to_string(flags);
    }
    void on_command(UINT notify_code, UINT id, HWND control) override
    {
        seen = "command " + std::to_string(notify_code) + " " + std::to_string(id) + " " +
               std::to_string(reinterpret_cast<UINT_PTR>(control));
    }
    void on_hot_key(int id, UINT modifiers, UINT virtual_key) override
    {
        seen = "hotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " + std::to_string(virtual_key);
    }
    void on_activate(UINT state, HWND other, bool minimized) override
    {
        seen = "activate " + std::to_string(state) + " " + std::to_string(reinterpret_cast<UINT_PTR>(other)) +
               " " + std::to_string(minimized);
    }
    int on_nc_hit_test(int x, int y) override
    {
        seen = "hit " + std::to_string(x) + " " + std::to_string(y);
        return HTCAPTION;
    }
    void on_init_menu_popup(HMENU, UINT index, bool system_menu) override
    {
        seen = "popup " + std::to_string(index) + " " + std::to_string(system_menu);
    }
};

struct unpacking {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    const char* expected_seen;
    LRESULT expected_result;
};

TEST(cracker, hands_unpacked_arguments_to_the_handlers)
{
    static const char text[] = "abc";
    const unpacking cases[] = {
        {WM_ERASEBKGND, 0x40, 0, "erase 64", 0},
        {WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), "text abc", 1},
        {WM_LBUTTONDOWN, MK_CONTROL, point(-2, 300), "lbutton 8 -2 300", 0},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(65535, 20), "size 0 65535 20", 0},
        {WM_KEYDOWN, VK_F1, 0x403B0002, "key 112 2 16443", 0},
        {WM_COMMAND, MAKEWPARAM(40001, 1), 0, "command 1 40001 0", 0},
        {WM_HOTKEY, 0, MAKELPARAM(MOD_ALT | MOD_CONTROL, 'Q'), "hotkey 0 3 81", 0},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0x99, "activate 0 153 0", 0},
        {WM_NCHITTEST, 0, point(-7, -8), "hit -7 -8", HTCAPTION},
        {WM_INITMENUPOPUP, 0, MAKELPARAM(4, 1), "popup 4 1", 0},
    };
    for (const auto& c : cases) {
        unpacking_window object;
        LRESULT result = object.dispatch(c.message, c.wparam, c.lparam);
        EXPECT_EQ(c.expected_seen, object.seen) << c.expected_seen;
        EXPECT_EQ(c.expected_result, result) << c.expected_seen;
    }
}

TEST(cracker, erase_background_answers_the_handlers_boolean)
{
    for (bool answer : {true, false}) {
        unpacking_window object;
        object.erase_answer = answer;
        EXPECT_EQ(answer ? 1 : 0, object.dispatch(WM_ERASEBKGND, 0, 0));
    }
}

}  // namespace
