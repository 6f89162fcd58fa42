// Modal dialogs from the test resources, driven by messages they post to
// themselves while they run.
#include <windows.h>
#include <prsht.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/sjis.h"
#include "test_resources.h"
#include "ui/dialog.h"
#include "ui_fixture.h"

namespace {

constexpr UINT end_command = 1199;
constexpr INT_PTR ended_by_test = 42;

// Records its commands; the test command end_command ends it with 42.
class scripted_dialog : public dialog {
public:
    std::function<void(scripted_dialog&)> on_start;
    std::vector<UINT> commands;

    bool on_init_dialog(HWND, LPARAM) override {
        if (on_start)
            on_start(*this);
        return true;
    }
    void on_command(UINT, UINT id, HWND) override {
        commands.push_back(id);
        if (id == end_command)
            end_dialog(ended_by_test);
    }
    void post_to_item(int item_id, UINT message, WPARAM wparam, LPARAM lparam) {
        PostMessageA(GetDlgItem(handle(), item_id), message, wparam, lparam);
    }
    void post_end() { PostMessageA(handle(), WM_COMMAND, end_command, 0); }
};

class confirming_dialog : public scripted_dialog {
public:
    void on_ok() override { end_dialog(IDOK); }
    void on_cancel() override { end_dialog(IDCANCEL); }
};

bool saw(const scripted_dialog& d, UINT id) {
    return std::find(d.commands.begin(), d.commands.end(), id) != d.commands.end();
}

using dialog_test = ui_test;

void press_enter_then_end(scripted_dialog& d) {
    d.post_to_item(IDC_TEST_EDIT, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    d.post_end();
}

void close_then_end(scripted_dialog& d) {
    PostMessageA(d.handle(), WM_CLOSE, 0, 0);
    d.post_end();
}

TEST_F(dialog_test, enter_without_on_ok_does_not_end_the_dialog) {
    scripted_dialog d;
    d.on_start = press_enter_then_end;
    EXPECT_EQ(ended_by_test, d.run_modal(IDD_TEST_DIALOG, nullptr));
    EXPECT_TRUE(saw(d, IDOK)); // Enter arrived as the default button's command
    EXPECT_EQ(nullptr, d.handle());
    EXPECT_EQ(0u, app.registry().size());
}

TEST_F(dialog_test, enter_with_on_ok_ends_the_dialog_through_it) {
    confirming_dialog d;
    d.on_start = press_enter_then_end;
    EXPECT_EQ(IDOK, d.run_modal(IDD_TEST_DIALOG, nullptr));
    EXPECT_FALSE(saw(d, end_command));
}

TEST_F(dialog_test, close_box_means_cancel) {
    confirming_dialog confirming;
    confirming.on_start = close_then_end;
    EXPECT_EQ(IDCANCEL, confirming.run_modal(IDD_TEST_DIALOG, nullptr));

    // Without on_cancel, closing does nothing: the dialog stays until ended.
    scripted_dialog plain;
    plain.on_start = close_then_end;
    EXPECT_EQ(ended_by_test, plain.run_modal(IDD_TEST_DIALOG, nullptr));
}

TEST_F(dialog_test, missing_template_fails_without_attaching) {
    scripted_dialog d;
    EXPECT_EQ(-1, d.run_modal(4711, nullptr));
    EXPECT_EQ(nullptr, d.handle());
}

TEST_F(dialog_test, item_operations_read_and_write_the_dialog_items) {
    std::string text, negative, radio_none;
    int checked_none = 0, checked = 0;
    scripted_dialog d;
    d.on_start = [&](scripted_dialog& self) {
        EXPECT_TRUE(self.set_item_text(IDC_TEST_EDIT, sjis("式が空です。").c_str()));
        self.get_item_text(IDC_TEST_EDIT, text);
        EXPECT_TRUE(self.set_item_int(IDC_TEST_EDIT, static_cast<UINT>(-5), true));
        self.get_item_text(IDC_TEST_EDIT, negative);
        checked_none = self.find_checked_radio(IDC_TEST_RADIO_A, IDC_TEST_RADIO_C);
        // One button checked: whether checking a second auto radio button of
        // the group unchecks the first depends on the button implementation
        // (Wine's common controls 6, which a dialog runs with, does), so the
        // test leaves it alone.
        EXPECT_TRUE(self.check_button(IDC_TEST_RADIO_B, BST_CHECKED));
        checked = self.find_checked_radio(IDC_TEST_RADIO_A, IDC_TEST_RADIO_C);
        self.get_item_text(9999, radio_none); // no such item: empty text
        self.post_end();
    };
    d.run_modal(IDD_TEST_DIALOG, nullptr);
    EXPECT_EQ(sjis("式が空です。"), text);
    EXPECT_EQ("-5", negative);
    EXPECT_EQ(-1, checked_none);
    EXPECT_EQ(IDC_TEST_RADIO_B, checked);
    EXPECT_EQ("", radio_none);
}

// The dialog cracker, called directly: which handlers each message reaches
// with which arguments, and what goes back to the dialog manager. Messages
// outside its table reach no handler and answer FALSE, so the dialog manager
// does its own work for them.
class cracking_dialog : public dialog {
public:
    std::string seen;
    bool init_answer = true;

    bool on_init_dialog(HWND focus, LPARAM init_param) override {
        add("init " + number(focus) + " " + std::to_string(init_param));
        return init_answer;
    }
    void on_command(UINT notify_code, UINT id, HWND control) override {
        add("command " + std::to_string(notify_code) + " " + std::to_string(id) + " " + number(control));
    }
    void on_ok() override { add("ok"); }
    void on_cancel() override { add("cancel"); }
    void on_destroy() override { add("destroy"); }
    void on_close() override { add("close"); }
    void on_set_focus(HWND other) override { add("focus " + number(other)); }
    void on_show_window(bool shown, UINT status) override {
        add("show " + std::to_string(shown) + " " + std::to_string(status));
    }
    void on_draw_item(DRAWITEMSTRUCT* item) override { add("draw " + std::to_string(item->CtlID)); }
    void on_notify(int control_id, NMHDR* header) override {
        add("notify " + std::to_string(control_id) + " " + std::to_string(header->code));
    }
    void on_help(HELPINFO* help) override { add("help " + std::to_string(help->iCtrlId)); }
    void on_paint() override { add("paint"); }
    HBRUSH on_ctl_color_static(HDC, HWND) override {
        add("static");
        return nullptr;
    }
    void on_timer(UINT_PTR, TIMERPROC) override { add("timer"); }
    void on_key_down(UINT, UINT, UINT) override { add("key"); }

private:
    void add(const std::string& call) { seen += seen.empty() ? call : ", " + call; }
    static std::string number(HWND handle) { return std::to_string(reinterpret_cast<UINT_PTR>(handle)); }
};

TEST(dialog_cracker, hands_its_messages_to_the_handlers_and_answers_the_dialog_manager) {
    static DRAWITEMSTRUCT draw_item{ODT_BUTTON, 77, 0, 0, 0, nullptr, nullptr, {}, 0};
    static NMHDR header{nullptr, 5, static_cast<UINT>(PSN_APPLY)};
    static HELPINFO help{sizeof(HELPINFO), HELPINFO_WINDOW, 1110, nullptr, 0, {}};
    struct dialog_case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        bool init_answer;
        const char* expected_seen;
        INT_PTR expected_result;
    };
    const dialog_case cases[] = {
        {WM_INITDIALOG, 0x11, 0x22, true, "init 17 34", TRUE},
        {WM_INITDIALOG, 0x11, 0x22, false, "init 17 34", FALSE},
        {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, true, "command 0 1 0, ok", TRUE},
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0, true, "command 0 2 0, cancel", TRUE},
        // Only a plain click (notification code 0) means OK or Cancel.
        {WM_COMMAND, MAKEWPARAM(IDOK, 1), 0x44, true, "command 1 1 68", TRUE},
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, EN_CHANGE), 0x45, true, "command 768 2 69", TRUE},
        {WM_COMMAND, MAKEWPARAM(1110, BN_CLICKED), 0x46, true, "command 0 1110 70", TRUE},
        {WM_DESTROY, 0, 0, true, "destroy", TRUE},
        {WM_CLOSE, 0, 0, true, "close", TRUE},
        {WM_SETFOCUS, 0x33, 0, true, "focus 51", TRUE},
        {WM_SHOWWINDOW, 1, 0, true, "show 1 0", TRUE},
        {WM_SHOWWINDOW, 0, SW_PARENTCLOSING, true, "show 0 1", TRUE},
        {WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&draw_item), true, "draw 77", TRUE},
        {WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header), true, "notify 5 4294967094", TRUE},
        {WM_HELP, 0, reinterpret_cast<LPARAM>(&help), true, "help 1110", TRUE},
        {WM_PAINT, 0, 0, true, "", FALSE},
        {WM_CTLCOLORSTATIC, 0x50, 0x51, true, "", FALSE},
        {WM_TIMER, 3, 0, true, "", FALSE},
        {WM_KEYDOWN, VK_RETURN, 0x001C0001, true, "", FALSE},
        {WM_USER + 1, 0, 0, true, "", FALSE},
    };
    for (const auto& c : cases) {
        cracking_dialog d;
        d.init_answer = c.init_answer;
        EXPECT_EQ(c.expected_result, d.dialog_dispatch(c.message, c.wparam, c.lparam)) << c.expected_seen;
        EXPECT_EQ(c.expected_seen, d.seen) << c.message;
    }
}

} // namespace
