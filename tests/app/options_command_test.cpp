// "オプション(&O)" of the main window: the confirmed sheet is applied at once
// and saved, Cancel changes neither the window nor the file, a changed hotkey
// replaces the old one, and a second request never opens a second sheet.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/hotkey.h"
#include "app/main_window.h"
#include "calculator_window_fixture.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "ui/text.h"

namespace {

constexpr int DISPLAY_PAGE = 1;
constexpr int TRANSFER_PAGE = 2;

class options_command : public calculator_window_fixture {
protected:
    std::string committed_answer(const char* expression) {
        HWND editor = editor_handle();
        SendMessageA(editor, EM_SETSEL, 0, -1);
        SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(expression));
        SendMessageA(editor, WM_CHAR, '\r', 0x001C0001);
        std::string text;
        get_window_text(answer_handle(), text);
        return text;
    }
    std::string settings_file() { return file_contents(directory + "Tarvik.ini"); }
};

TEST_F(options_command, ok_applies_the_precision_at_once_and_saves_it) {
    start();
    run_options({show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_PRECISION, "3"), press_ok});
    EXPECT_EQ("0.333", committed_answer("1/3"));
    EXPECT_NE(std::string::npos, settings_file().find("\nPrecision=3\r\n"));
}

TEST_F(options_command, cancel_changes_neither_the_window_nor_the_file) {
    start();
    const std::string before = settings_file();
    run_options({show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_PRECISION, "3"), click(IDC_DISPLAY_HEX),
                 press_cancel});
    EXPECT_EQ("0.3333333333", committed_answer("1/3"));
    EXPECT_EQ(before, settings_file());
}

TEST_F(options_command, a_changed_hotkey_replaces_the_old_one) {
    start();
    ASSERT_TRUE(hotkey_held(MOD_ALT, VK_SPACE));
    run_options({show_page(TRANSFER_PAGE),
                 set_hotkey_control(IDC_TRANSFER_HOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL)), press_ok});
    EXPECT_TRUE(hotkey_held(MOD_CONTROL, VK_F9));
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(RegisterHotKey(other, 0, MOD_ALT, VK_SPACE)) << "the old hotkey is still held";
    EXPECT_FALSE(RegisterHotKey(other, 1, MOD_CONTROL, VK_F9)) << "the new hotkey is not held";
    UnregisterHotKey(other, 0);
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

int hotkey_failures = 0;
int WINAPI count_hotkey_failure(HWND, LPCSTR, LPCSTR, UINT) {
    ++hotkey_failures;
    return IDOK;
}

// As at start-up: the message, and the tray icon as the way back.
TEST_F(options_command, a_taken_new_hotkey_is_reported_and_the_tray_icon_takes_over) {
    start();
    HWND holder = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 0, MOD_CONTROL, VK_F9));
    hotkey_failures = 0;
    const message_box_function previous = set_hotkey_message_box(count_hotkey_failure);
    run_options({show_page(TRANSFER_PAGE),
                 set_hotkey_control(IDC_TRANSFER_HOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL)), press_ok});
    set_hotkey_message_box(previous);
    UnregisterHotKey(holder, 0);
    DestroyWindow(holder);

    EXPECT_EQ(1, hotkey_failures);
    EXPECT_FALSE(hotkey_held(MOD_CONTROL, VK_F9));
    EXPECT_TRUE(calculator->current_settings().show_tray);
}

// The tray menu and the hotkey reach the window while the sheet runs.
TEST_F(options_command, a_second_request_while_open_opens_no_second_sheet) {
    start();
    int sheets_after_menu = 0;
    bool shown_by_hotkey = true;
    HWND window = calculator->handle();
    run_options({[&](HWND) { PostMessageA(window, WM_COMMAND, IDM_OPTIONS, 0); },
                 [&](HWND) { sheets_after_menu = open_sheet_count(); },
                 [&](HWND) {
                     SendMessageA(window, WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE));
                     shown_by_hotkey = IsWindowVisible(window) != FALSE;
                 },
                 press_cancel});
    EXPECT_EQ(1, sheets_after_menu);
    EXPECT_FALSE(shown_by_hotkey);
}

// The about box from the tray menu while the sheet runs would re-enable the
// calculator under the sheet when it closed: the sheet comes to the front.
TEST_F(options_command, the_about_box_is_not_opened_inside_the_sheet) {
    start();
    HWND window = calculator->handle();
    int about_boxes = -1;
    HWND front = nullptr;
    run_options({[&](HWND) { PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0); },
                 [&](HWND sheet) {
                     about_boxes = 0;
                     EnumThreadWindows(
                         GetCurrentThreadId(),
                         [](HWND candidate, LPARAM count) -> BOOL {
                             if (IsWindowVisible(candidate) && GetDlgItem(candidate, IDC_ABOUT_MAIL)) {
                                 ++*reinterpret_cast<int*>(count);
                                 PostMessageA(candidate, WM_CLOSE, 0, 0);
                             }
                             return TRUE;
                         },
                         reinterpret_cast<LPARAM>(&about_boxes));
                     front = GetForegroundWindow() == sheet ? sheet : nullptr;
                     EXPECT_FALSE(IsWindowEnabled(window)) << "the calculator stays disabled under the sheet";
                 },
                 press_cancel});
    EXPECT_EQ(0, about_boxes);
    EXPECT_NE(nullptr, front) << "the sheet came to the front";
    EXPECT_TRUE(IsWindowEnabled(window));
}

} // namespace
