// A modal property sheet driven from a thread timer that presses its buttons
// while it runs; the pages record the notifications they receive.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "test_resources.h"
#include "ui/property_page.h"
#include "ui/property_sheet.h"
#include "ui_fixture.h"

namespace {

class recording_page : public property_page {
public:
    using property_page::property_page;

    std::string calls;
    std::deque<bool> kill_active_answers;
    std::deque<bool> apply_answers;

    bool on_init_dialog(HWND, LPARAM) override
    {
        sheet_window = GetParent(handle());
        return true;
    }
    bool on_set_active() override
    {
        record("set");
        return property_page::on_set_active();
    }
    bool on_kill_active() override
    {
        record("kill");
        return next(kill_active_answers);
    }
    bool on_apply() override
    {
        record("apply");
        return next(apply_answers);
    }
    void on_reset() override { record("reset"); }

    static inline HWND sheet_window = nullptr;

private:
    void record(const char* call) { calls += calls.empty() ? call : std::string(" ") + call; }
    static bool next(std::deque<bool>& answers)
    {
        if (answers.empty())
            return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class two_page_sheet : public property_sheet {
public:
    two_page_sheet()
    {
        add_page(&first);
        add_page(&second);
    }
    recording_page first{IDD_TEST_PAGE_1};
    recording_page second{IDD_TEST_PAGE_2};
};

using sheet_action = std::function<void(HWND sheet)>;

std::vector<sheet_action> script;
std::size_t next_action = 0;
int idle_ticks = 0;

void CALLBACK run_next_action(HWND, UINT, UINT_PTR, DWORD)
{
    HWND sheet = recording_page::sheet_window;
    if (!sheet)
        return;
    if (next_action < script.size()) {
        script[next_action++](sheet);
        return;
    }
    // The script is done but the sheet still runs: give up rather than hang.
    if (++idle_ticks > 20)
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

const sheet_action press_ok = [](HWND sheet) { SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); };
const sheet_action press_cancel = [](HWND sheet) { SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
const sheet_action show_second_page = [](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, 1, 0); };

struct sheet_case {
    const char* name;
    std::vector<sheet_action> actions;
    std::deque<bool> first_kill_active_answers;
    std::deque<bool> first_apply_answers;
    const char* first_calls;
    const char* second_calls;
    bool confirmed;
};

class property_sheet_run : public ui_test, public ::testing::WithParamInterface<sheet_case> {};

TEST_P(property_sheet_run, pages_receive_the_notifications_and_their_answers_count)
{
    const sheet_case& c = GetParam();
    two_page_sheet sheet;
    sheet.first.kill_active_answers = c.first_kill_active_answers;
    sheet.first.apply_answers = c.first_apply_answers;
    recording_page::sheet_window = nullptr;
    script = c.actions;
    next_action = 0;
    idle_ticks = 0;

    UINT_PTR timer = SetTimer(nullptr, 0, 30, run_next_action);
    INT_PTR result = sheet.run(PSH_NOCONTEXTHELP | PSH_NOAPPLYNOW, nullptr, 103, "Tarvik", 0);
    KillTimer(nullptr, timer);

    EXPECT_EQ(c.actions.size(), next_action);
    EXPECT_EQ(0, idle_ticks) << "the sheet did not close by itself";
    EXPECT_EQ(c.first_calls, sheet.first.calls);
    EXPECT_EQ(c.second_calls, sheet.second.calls);
    if (c.confirmed)
        EXPECT_GT(result, 0);
    else
        EXPECT_EQ(0, result);
    EXPECT_EQ(0u, app.registry().size());
}

INSTANTIATE_TEST_SUITE_P(
    scenarios, property_sheet_run,
    ::testing::Values(
        sheet_case{"ok_applies_the_open_pages", {press_ok}, {}, {}, "set kill apply", "", true},
        sheet_case{"invalid_page_keeps_the_sheet_open", {press_ok, press_ok}, {true}, {},
                   "set kill kill apply", "", true},
        sheet_case{"refused_apply_keeps_the_sheet_open", {press_ok, press_cancel}, {}, {true},
                   "set kill apply reset", "", false},
        sheet_case{"switching_pages_leaves_and_enters", {show_second_page, press_ok}, {}, {},
                   "set kill apply", "set kill apply", true},
        sheet_case{"cancel_resets", {press_cancel}, {}, {}, "set reset", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
