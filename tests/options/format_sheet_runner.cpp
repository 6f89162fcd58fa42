#include "format_sheet_runner.h"

#include <commctrl.h>
#include <prsht.h>

#include "support/sheet_script.h"
#include "support/sjis.h"
#include "ui/text.h"

INT_PTR format_sheet::run_steps(const std::vector<format_step>& steps) {
    std::vector<sheet_step> script_steps;
    for (const format_step& step : steps)
        script_steps.push_back([this, step](HWND) { step(page); });
    sheet_script script(std::move(script_steps));
    INT_PTR result = run(PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP, nullptr, 103, "Tarvik", 0);
    EXPECT_TRUE(script.all_steps_ran());
    EXPECT_FALSE(script.cancelled_for_hanging());
    return result;
}

format_step select_window(int window) {
    return [=](format_page& page) {
        HWND list = GetDlgItem(page.handle(), 1034);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(window), 0);
        SendMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(1034, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
}

format_step select_font_name(const std::string& name) {
    return [=](format_page& page) {
        HWND list = GetDlgItem(page.handle(), 1039);
        auto index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_NE(CB_ERR, index) << name << " is not listed";
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(1039, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
}

format_step post_click(int id) {
    return [=](format_page& page) {
        PostMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page.handle(), id)));
    };
}

format_step click_check_box(int id) {
    return [=](format_page& page) { SendDlgItemMessageA(page.handle(), id, BM_CLICK, 0, 0); };
}

format_step press_sheet_ok() {
    return [](format_page& page) { PostMessageA(GetParent(page.handle()), PSM_PRESSBUTTON, PSBTN_OK, 0); };
}

format_step press_sheet_cancel() {
    return
        [](format_page& page) { PostMessageA(GetParent(page.handle()), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
}

format_step in_colour_dialog(int button_id) {
    return [=](format_page&) {
        HWND dialog = open_colour_dialog();
        ASSERT_NE(nullptr, dialog) << "no colour dialog";
        SendMessageA(GetDlgItem(dialog, button_id), BM_CLICK, 0, 0);
    };
}

HWND open_colour_dialog() { return FindWindowA(nullptr, sjis("色の設定").c_str()); }

std::string combo_text(HWND page, int id) {
    std::string text;
    get_combo_selection_text(GetDlgItem(page, id), text);
    return text;
}
