// The display page's "Windows の起動時に開始する" check box against the real
// per-user Run value: it shows the value as it is, and a confirmed sheet
// writes or removes it for the running program (here this test program).
#include "options/options_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/start_with_windows.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "ui/application.h"

namespace {

constexpr int DISPLAY_PAGE = 1;
const wchar_t* const RUN_KEY = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring run_value() {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, RUN_KEY, L"Tarvik", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

std::wstring this_program_quoted() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return L"\"" + std::wstring(path) + L"\"";
}

// Opens the sheet on the display page, records the check box, clicks it when
// asked and confirms.
UINT run_display_page(bool click_box) {
    settings record;
    options_sheet sheet(record);
    UINT shown = 0;
    std::vector<sheet_step> steps{show_page(DISPLAY_PAGE), [&shown](HWND s) {
                                      shown = IsDlgButtonChecked(current_page(s), IDC_DISPLAY_START_WITH_WINDOWS);
                                  }};
    if (click_box)
        steps.push_back(click(IDC_DISPLAY_START_WITH_WINDOWS));
    steps.push_back(press_ok);
    sheet_script script(steps);
    sheet.run(nullptr);
    EXPECT_TRUE(script.all_steps_ran());
    return shown;
}

TEST(start_with_windows_box, turns_the_run_value_on_and_off) {
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    ASSERT_TRUE(start_with_windows::for_this_program().turn_off());

    EXPECT_EQ(BST_UNCHECKED, run_display_page(true));
    EXPECT_EQ(this_program_quoted(), run_value());

    EXPECT_EQ(BST_CHECKED, run_display_page(false)); // left alone: stays on
    EXPECT_EQ(this_program_quoted(), run_value());

    EXPECT_EQ(BST_CHECKED, run_display_page(true));
    EXPECT_EQ(L"(none)", run_value());
}

} // namespace
