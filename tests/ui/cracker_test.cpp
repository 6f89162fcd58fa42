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

LRESULT CALLBACK recording_procedure(HWND, UINT message, WPARAM wparam, LPARAM lparam) {
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
    {"set cursor", WM_SETCURSOR, 0x10, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1, 0x10,
     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1},
    {"mouse activate", WM_MOUSEACTIVATE, 0x20, MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN), MA_NOACTIVATE, 0x20,
     MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN), MA_NOACTIVATE},
    {"hit test, negative", WM_NCHITTEST, 0, point(-10, 20), HTCAPTION, 0, point(-10, 20), HTCAPTION},
    {"ctl colour edit", WM_CTLCOLOREDIT, 0x30, 0x31, 0x99, 0x30, 0x31, 0x99},
    {"query end session", WM_QUERYENDSESSION, 0, 0, 1, 0, 0, 1},
    {"end session", WM_ENDSESSION, TRUE, 0, 0, TRUE, 0, 0},
    {"pos changing", WM_WINDOWPOSCHANGING, 0, 0x4444, 0, 0, 0x4444, 0},
    {"move negative", WM_MOVE, 0, point(-5, -6), 0, 0, point(-5, -6), 0},
    {"size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0},
    {"activate minimised", WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0x50, 7, MAKEWPARAM(WA_CLICKACTIVE, 1),
     0x50, 0},
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
    {"parent notify", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 3), point(7, 8), 0,
     MAKEWPARAM(WM_LBUTTONDOWN, 3), point(7, 8), 0},
    {"sizing", WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&some_rect), 0, WMSZ_BOTTOM,
     reinterpret_cast<LPARAM>(&some_rect), 0},
    {"hot key", WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE), 0, 0, MAKELPARAM(MOD_ALT, VK_SPACE), 0},
    // The control id of the word parameter comes from the record.
    {"draw item", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw_item), 0, 77,
     reinterpret_cast<LPARAM>(&draw_item), 0},
    {"measure item", WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure_item), 0, 55,
     reinterpret_cast<LPARAM>(&measure_item), 0},
    {"notify", WM_NOTIFY, 12, 0xC0, 3, 12, 0xC0, 0},
    {"close", WM_CLOSE, 0, 0, 9, 0, 0, 0},
    {"paint", WM_PAINT, 0, 0, 9, 0, 0, 0},
    {"sys colour change", WM_SYSCOLORCHANGE, 0, 0, 9, 0, 0, 0},
    {"init dialog", WM_INITDIALOG, 0x41, 0x42, 1, 0x41, 0x42, 1},
    {"init dialog: only exactly 1 is true", WM_INITDIALOG, 0x41, 0x42, 3, 0x41, 0x42, 0},
    {"ctl colour list box", WM_CTLCOLORLISTBOX, 0x32, 0x33, 0x98, 0x32, 0x33, 0x98},
    {"ctl colour static", WM_CTLCOLORSTATIC, 0x34, 0x35, 0x97, 0x34, 0x35, 0x97},
    {"min max info", WM_GETMINMAXINFO, 0, 0x4446, 5, 0, 0x4446, 0},
    {"pos changed", WM_WINDOWPOSCHANGED, 0, 0x4445, 5, 0, 0x4445, 0},
    {"help", WM_HELP, 0, 0x4447, 5, 0, 0x4447, 0},
    {"nc paint", WM_NCPAINT, 0x71, 0, 5, 0x71, 0, 0},
    {"nc button up", WM_NCLBUTTONUP, HTMENU, point(30, -40), 0, HTMENU, point(30, -40), 0},
    {"nc right down", WM_NCRBUTTONDOWN, HTCAPTION, point(5, 6), 0, HTCAPTION, point(5, 6), 0},
    {"nc right up", WM_NCRBUTTONUP, HTCAPTION, point(7, 8), 0, HTCAPTION, point(7, 8), 0},
    {"mouse move", WM_MOUSEMOVE, MK_LBUTTON, point(9, 10), 0, MK_LBUTTON, point(9, 10), 0},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, point(11, 12), 0, MK_LBUTTON, point(11, 12), 0},
    {"left up", WM_LBUTTONUP, 0, point(13, 14), 0, 0, point(13, 14), 0},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, point(15, 16), 0, MK_RBUTTON, point(15, 16), 0},
    {"right up", WM_RBUTTONUP, 0, point(17, 18), 0, 0, point(17, 18), 0},
    {"right double", WM_RBUTTONDBLCLK, MK_RBUTTON, point(19, 20), 0, MK_RBUTTON, point(19, 20), 0},
    {"key up", WM_KEYUP, 'A', 0xC01E0001, 0, 'A', 0xC01E0001, 0},
    {"sys key down", WM_SYSKEYDOWN, VK_MENU, 0x20380001, 0, VK_MENU, 0x20380001, 0},
    {"sys key up", WM_SYSKEYUP, 'X', 0xE02D0001, 0, 'X', 0xE02D0001, 0},
    {"h scroll", WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0x91, 0, MAKEWPARAM(SB_THUMBPOSITION, 12),
     0x91, 0},
    {"init menu", WM_INITMENU, 0xA1, 0, 0, 0xA1, 0, 0},
    {"moving", WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&some_rect), 0, WMSZ_LEFT,
     reinterpret_cast<LPARAM>(&some_rect), 0},
    {"drop files", WM_DROPFILES, 0xE0, 0, 0, 0xE0, 0, 0},
    {"unlisted message", WM_USER + 5, 0xD0, 0xD1, 42, 0xD0, 0xD1, 42},
};

class cracker_round_trip : public ::testing::TestWithParam<round_trip> {};

TEST_P(cracker_round_trip, default_handler_forwards_the_message_and_converts_its_answer) {
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

    bool on_erase_background(HDC dc) override {
        seen = "erase " + std::to_string(reinterpret_cast<UINT_PTR>(dc));
        return erase_answer;
    }
    void on_set_text(const char* text) override { seen = std::string("text ") + text; }
    void on_l_button_down(UINT key_flags, int x, int y) override {
        seen = "lbutton " + std::to_string(key_flags) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void on_size(UINT type, UINT width, UINT height) override {
        seen = "size " + std::to_string(type) + " " + std::to_string(width) + " " + std::to_string(height);
    }
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override {
        seen = "key " + std::to_string(virtual_key) + " " + std::to_string(repeat) + " " +
               std::to_string(flags);
    }
    void on_command(UINT notify_code, UINT id, HWND control) override {
        seen = "command " + std::to_string(notify_code) + " " + std::to_string(id) + " " +
               std::to_string(reinterpret_cast<UINT_PTR>(control));
    }
    void on_hot_key(int id, UINT modifiers, UINT virtual_key) override {
        seen = "hotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
               std::to_string(virtual_key);
    }
    void on_activate(UINT state, HWND other, bool minimized) override {
        seen = "activate " + std::to_string(state) + " " + std::to_string(reinterpret_cast<UINT_PTR>(other)) +
               " " + std::to_string(minimized);
    }
    int on_nc_hit_test(int x, int y) override {
        seen = "hit " + std::to_string(x) + " " + std::to_string(y);
        return HTCAPTION;
    }
    void on_init_menu_popup(HMENU, UINT index, bool system_menu) override {
        seen = "popup " + std::to_string(index) + " " + std::to_string(system_menu);
    }
    bool on_set_cursor(HWND target, UINT hit_test, UINT mouse_message) override {
        seen = "cursor " + std::to_string(reinterpret_cast<UINT_PTR>(target)) + " " +
               std::to_string(hit_test) + " " + std::to_string(mouse_message);
        return true;
    }
    int on_mouse_activate(HWND top_level, UINT hit_test, UINT mouse_message) override {
        seen = "mouse activate " + std::to_string(reinterpret_cast<UINT_PTR>(top_level)) + " " +
               std::to_string(hit_test) + " " + std::to_string(mouse_message);
        return MA_NOACTIVATEANDEAT;
    }
    void on_context_menu(HWND target, int x, int y) override {
        seen = "context " + std::to_string(reinterpret_cast<UINT_PTR>(target)) + " " + std::to_string(x) +
               " " + std::to_string(y);
    }
    void on_menu_select(UINT item, UINT flags, HMENU menu) override {
        seen = "select " + std::to_string(item) + " " + std::to_string(flags) + " " +
               std::to_string(reinterpret_cast<UINT_PTR>(menu));
    }
    void on_parent_notify(UINT event, LPARAM lparam, UINT child_id) override {
        seen = "parent " + std::to_string(event) + " " + std::to_string(lparam) + " " +
               std::to_string(child_id);
    }
    void on_h_scroll(UINT code, UINT position, HWND scroll_bar) override {
        seen = "hscroll " + std::to_string(code) + " " + std::to_string(position) + " " +
               std::to_string(reinterpret_cast<UINT_PTR>(scroll_bar));
    }
    void on_show_window(bool shown, UINT status) override {
        seen = "show " + std::to_string(shown) + " " + std::to_string(status);
    }
    void on_activate_app(bool active, DWORD thread_id) override {
        seen = "app " + std::to_string(active) + " " + std::to_string(thread_id);
    }
    void on_sys_command(UINT command, int x, int y) override {
        seen = "syscommand " + std::to_string(command) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void on_char(UINT character, UINT key_data) override {
        seen = "char " + std::to_string(character) + " " + std::to_string(key_data);
    }
    void on_nc_l_button_down(UINT hit_test, int x, int y) override {
        seen = "nc down " + std::to_string(hit_test) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void on_move(int x, int y) override { seen = "move " + std::to_string(x) + " " + std::to_string(y); }
    HBRUSH on_ctl_color_static(HDC dc, HWND control) override {
        seen = "static " + std::to_string(reinterpret_cast<UINT_PTR>(dc)) + " " +
               std::to_string(reinterpret_cast<UINT_PTR>(control));
        return reinterpret_cast<HBRUSH>(0x77);
    }
    void on_timer(UINT_PTR id, TIMERPROC) override { seen = "timer " + std::to_string(id); }
    void on_enable(bool enabled) override { seen = "enable " + std::to_string(enabled); }
};

struct unpacking {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    const char* expected_seen;
    LRESULT expected_result;
};

TEST(cracker, hands_unpacked_arguments_to_the_handlers) {
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
        {WM_SETCURSOR, 0x21, MAKELPARAM(HTLEFT, WM_LBUTTONDOWN), "cursor 33 10 513", 1},
        {WM_MOUSEACTIVATE, 0x22, MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN), "mouse activate 34 1 516",
         MA_NOACTIVATEANDEAT},
        {WM_CONTEXTMENU, 0x23, point(-1, -1), "context 35 -1 -1", 0},
        {WM_MENUSELECT, MAKEWPARAM(40016, MF_HILITE), 0x24, "select 40016 128 36", 0},
        {WM_PARENTNOTIFY, MAKEWPARAM(WM_RBUTTONDOWN, 7), point(3, 4), "parent 516 262147 7", 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 321), 0x25, "hscroll 5 321 37", 0},
        {WM_SHOWWINDOW, 1, SW_PARENTCLOSING, "show 1 1", 0},
        {WM_ACTIVATEAPP, 0, 4321, "app 0 4321", 0},
        {WM_SYSCOMMAND, SC_KEYMENU, point(0, 0), "syscommand 61696 0 0", 0},
        {WM_CHAR, 0x82, 0x00300005, "char 130 3145733", 0},
        {WM_NCLBUTTONDOWN, HTCAPTION, point(-100, 50), "nc down 2 -100 50", 0},
        {WM_MOVE, 0, point(-20, 30), "move -20 30", 0},
        {WM_CTLCOLORSTATIC, 0x26, 0x27, "static 38 39", 0x77},
        {WM_TIMER, 17, 0, "timer 17", 0},
        {WM_ENABLE, 0, 0, "enable 0", 0},
    };
    for (const auto& c : cases) {
        unpacking_window object;
        LRESULT result = object.dispatch(c.message, c.wparam, c.lparam);
        EXPECT_EQ(c.expected_seen, object.seen) << c.expected_seen;
        EXPECT_EQ(c.expected_result, result) << c.expected_seen;
    }
}

TEST(cracker, erase_background_answers_the_handlers_boolean) {
    for (bool answer : {true, false}) {
        unpacking_window object;
        object.erase_answer = answer;
        EXPECT_EQ(answer ? 1 : 0, object.dispatch(WM_ERASEBKGND, 0, 0));
    }
}

} // namespace
