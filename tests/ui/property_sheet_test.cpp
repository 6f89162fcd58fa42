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
    std::deque<bool> set_active_answers; // empty: accept

    bool on_init_dialog(HWND, LPARAM) override {
        sheet_window = GetParent(handle());
        return true;
    }
    bool on_set_active() override {
        record("set");
        if (set_active_answers.empty())
            return property_page::on_set_active();
        bool answer = set_active_answers.front();
        set_active_answers.pop_front();
        return answer;
    }
    bool on_kill_active() override {
        record("kill");
        return next(kill_active_answers);
    }
    bool on_apply() override {
        record("apply");
        return next(apply_answers);
    }
    void on_reset() override { record("reset"); }
    void on_page_help() override { record("help"); }

    static inline HWND sheet_window = nullptr;

private:
    void record(const char* call) { calls += calls.empty() ? call : std::string(" ") + call; }
    static bool next(std::deque<bool>& answers) {
        if (answers.empty())
            return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class two_page_sheet : public property_sheet {
public:
    two_page_sheet() {
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

void CALLBACK run_next_action(HWND, UINT, UINT_PTR, DWORD) {
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

TEST_P(property_sheet_run, pages_receive_the_notifications_and_their_answers_count) {
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
    ::testing::Values(sheet_case{"ok_applies_the_open_pages", {press_ok}, {}, {}, "set kill apply", "", true},
                      sheet_case{"invalid_page_keeps_the_sheet_open",
                                 {press_ok, press_ok},
                                 {true},
                                 {},
                                 "set kill kill apply",
                                 "",
                                 true},
                      sheet_case{"refused_apply_keeps_the_sheet_open",
                                 {press_ok, press_cancel},
                                 {},
                                 {true},
                                 "set kill apply reset",
                                 "",
                                 false},
                      sheet_case{"switching_pages_leaves_and_enters",
                                 {show_second_page, press_ok},
                                 {},
                                 {},
                                 "set kill apply",
                                 "set kill apply",
                                 true},
                      sheet_case{"cancel_resets", {press_cancel}, {}, {}, "set reset", "", false}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

struct stored_result {
    UINT code;
    bool set_active_answer;
    bool kill_active_answer;
    bool apply_answer;
    LONG_PTR expected;
    const char* expected_call;
};

using property_page_results = ui_test;

// Notifications sent straight to the open page while the sheet runs: each
// answer is stored as the page's message result in the form the sheet reads.
// (The dialog manager clears the result before every message, so
// notifications without an answer leave 0.)
TEST_F(property_page_results, answers_are_stored_as_the_pages_message_result) {
    const stored_result cases[] = {
        {PSN_SETACTIVE, true, false, false, 0, "set"},   // accepted: stay on this page
        {PSN_SETACTIVE, false, false, false, -1, "set"}, // refused: the sheet skips the page
        {PSN_KILLACTIVE, true, true, false, 1, "kill"},  {PSN_KILLACTIVE, true, false, false, 0, "kill"},
        {PSN_APPLY, true, false, true, 1, "apply"},      {PSN_APPLY, true, false, false, 0, "apply"},
        {PSN_RESET, true, false, false, 0, "reset"},     {PSN_HELP, true, false, false, 0, "help"},
        {PSN_QUERYCANCEL, true, false, false, 0, ""},
    };
    two_page_sheet sheet;
    recording_page::sheet_window = nullptr;
    std::vector<std::pair<LONG_PTR, std::string>> seen;
    script = {[&](HWND window) {
                  HWND page = sheet.first.handle();
                  for (const auto& c : cases) {
                      sheet.first.calls.clear();
                      sheet.first.kill_active_answers = {c.kill_active_answer};
                      sheet.first.apply_answers = {c.apply_answer};
                      sheet.first.set_active_answers = {c.set_active_answer};
                      SetWindowLongPtrA(page, DWLP_MSGRESULT, 77);
                      NMHDR header{window, 0, c.code};
                      SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
                      seen.emplace_back(GetWindowLongPtrA(page, DWLP_MSGRESULT), sheet.first.calls);
                  }
              },
              press_cancel};
    next_action = 0;
    idle_ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, run_next_action);
    sheet.run(PSH_NOCONTEXTHELP | PSH_NOAPPLYNOW, nullptr, 103, "Tarvik", 0);
    KillTimer(nullptr, timer);

    ASSERT_EQ(std::size(cases), seen.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(cases[i].expected, seen[i].first) << cases[i].code;
        EXPECT_EQ(cases[i].expected_call, seen[i].second) << cases[i].code;
    }
}

TEST_F(property_page_results, sheet_without_pages_does_not_run) {
    property_sheet empty;
    EXPECT_EQ(-1, empty.run(0, nullptr, 103, "Tarvik", 0));
}

} // namespace
