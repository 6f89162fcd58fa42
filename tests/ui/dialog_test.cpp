// Modal dialogs from the test resources, driven by messages they post to
// themselves while they run.
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

    bool on_init_dialog(HWND, LPARAM) override
    {
        if (on_start)
            on_start(*this);
        return true;
    }
    void on_command(UINT, UINT id, HWND) override
    {
        commands.push_back(id);
        if (id == end_command)
            end_dialog(ended_by_test);
    }
    void post_to_item(int item_id, UINT message, WPARAM wparam, LPARAM lparam)
    {
        PostMessageA(GetDlgItem(handle(), item_id), message, wparam, lparam);
    }
    void post_end() { PostMessageA(handle(), WM_COMMAND, end_command, 0); }
};

class confirming_dialog : public scripted_dialog {
public:
    void on_ok() override { end_dialog(IDOK); }
    void on_cancel() override { end_dialog(IDCANCEL); }
};

bool saw(const scripted_dialog& d, UINT id)
{
    return std::find(d.commands.begin(), d.commands.end(), id) != d.commands.end();
}

using dialog_test = ui_test;

void press_enter_then_end(scripted_dialog& d)
{
    d.post_to_item(IDC_TEST_EDIT, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    d.post_end();
}

void close_then_end(scripted_dialog& d)
{
    PostMessageA(d.handle(), WM_CLOSE, 0, 0);
    d.post_end();
}

TEST_F(dialog_test, enter_without_on_ok_does_not_end_the_dialog)
{
    scripted_dialog d;
    d.on_start = press_enter_then_end;
    EXPECT_EQ(ended_by_test, d.run_modal(IDD_TEST_DIALOG, nullptr));
    EXPECT_TRUE(saw(d, IDOK));  // Enter arrived as the default button's command
    EXPECT_EQ(nullptr, d.handle());
    EXPECT_EQ(0u, app.registry().size());
}

TEST_F(dialog_test, enter_with_on_ok_ends_the_dialog_through_it)
{
    confirming_dialog d;
    d.on_start = press_enter_then_end;
    EXPECT_EQ(IDOK, d.run_modal(IDD_TEST_DIALOG, nullptr));
    EXPECT_FALSE(saw(d, end_command));
}

TEST_F(dialog_test, close_box_means_cancel)
{
    confirming_dialog confirming;
    confirming.on_start = close_then_end;
    EXPECT_EQ(IDCANCEL, confirming.run_modal(IDD_TEST_DIALOG, nullptr));

    // Without on_cancel, closing does nothing: the dialog stays until ended.
    scripted_dialog plain;
    plain.on_start = close_then_end;
    EXPECT_EQ(ended_by_test, plain.run_modal(IDD_TEST_DIALOG, nullptr));
}

TEST_F(dialog_test, missing_template_fails_without_attaching)
{
    scripted_dialog d;
    EXPECT_EQ(-1, d.run_modal(4711, nullptr));
    EXPECT_EQ(nullptr, d.handle());
}

TEST_F(dialog_test, item_operations_read_and_write_the_dialog_items)
{
    std::string text, negative, radio_none;
    int checked_none = 0, checked = 0;
    scripted_dialog d;
    d.on_start = [&](scripted_dialog& self) {
        EXPECT_TRUE(self.set_item_text(IDC_TEST_EDIT, sjis("式が空です。").c_str()));
        self.get_item_text(IDC_TEST_EDIT, text);
        EXPECT_TRUE(self.set_item_int(IDC_TEST_EDIT, static_cast<UINT>(-5), true));
        self.get_item_text(IDC_TEST_EDIT, negative);
        checked_none = self.find_checked_radio(IDC_TEST_RADIO_A, IDC_TEST_RADIO_C);
        EXPECT_TRUE(self.check_button(IDC_TEST_RADIO_B, BST_CHECKED));
        EXPECT_TRUE(self.check_button(IDC_TEST_RADIO_C, BST_CHECKED));
        checked = self.find_checked_radio(IDC_TEST_RADIO_A, IDC_TEST_RADIO_C);
        self.get_item_text(9999, radio_none);  // no such item: empty text
        self.post_end();
    };
    d.run_modal(IDD_TEST_DIALOG, nullptr);
    EXPECT_EQ(sjis("式が空です。"), text);
    EXPECT_EQ("-5", negative);
    EXPECT_EQ(-1, checked_none);
    EXPECT_EQ(IDC_TEST_RADIO_B, checked);
    EXPECT_EQ("", radio_none);
}

}  // namespace
