#include "format_sheet_runner.h"

#include <commctrl.h>
#include <prsht.h>

#include "support/sjis.h"
#include "ui/text.h"

namespace {

format_sheet* running = nullptr;
std::vector<format_step> pending;
std::size_t next_step = 0;
int idle_ticks = 0;

void CALLBACK run_next_step(HWND, UINT, UINT_PTR, DWORD)
{
    static bool busy = false;
    if (busy || !running || !running->page.handle())
        return;
    busy = true;
    if (next_step < pending.size()) {
        if (pending[next_step](running->page))
            ++next_step;
        else if (++idle_ticks > 100)
            ++next_step;  // the awaited window never came: go on rather than hang
    } else if (++idle_ticks > 100) {
        PostMessageA(GetParent(running->page.handle()), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
    busy = false;
}

HWND sheet_of(format_page& page) { return GetParent(page.handle()); }

}  // namespace

INT_PTR format_sheet::run_steps(std::vector<format_step> steps)
{
    running = this;
    pending = std::move(steps);
    next_step = 0;
    idle_ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, run_next_step);
    INT_PTR result = run(PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP, nullptr, 103, "Tarvik", 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(pending.size(), next_step) << "not every step ran";
    EXPECT_LE(idle_ticks, 100) << "a step waited in vain";
    running = nullptr;
    return result;
}

format_step select_window(int window)
{
    return [=](format_page& page) {
        HWND list = GetDlgItem(page.handle(), 1034);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(window), 0);
        SendMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(1034, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        return true;
    };
}

format_step select_font_name(const std::string& name)
{
    return [=](format_page& page) {
        HWND list = GetDlgItem(page.handle(), 1039);
        auto index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_NE(CB_ERR, index) << name << " is not listed";
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(1039, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        return true;
    };
}

// Posted, so that a dialog the click opens runs its loop after this tick.
format_step click(int id)
{
    return [=](format_page& page) {
        PostMessageA(page.handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page.handle(), id)));
        return true;
    };
}

format_step click_check_box(int id)
{
    return [=](format_page& page) {
        SendDlgItemMessageA(page.handle(), id, BM_CLICK, 0, 0);
        return true;
    };
}

format_step press_ok()
{
    return [](format_page& page) {
        PostMessageA(sheet_of(page), PSM_PRESSBUTTON, PSBTN_OK, 0);
        return true;
    };
}

format_step press_cancel()
{
    return [](format_page& page) {
        PostMessageA(sheet_of(page), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return true;
    };
}

format_step in_colour_dialog(int button_id)
{
    return [=](format_page&) {
        HWND dialog = open_colour_dialog();
        if (!dialog)
            return false;
        SendMessageA(GetDlgItem(dialog, button_id), BM_CLICK, 0, 0);
        return true;
    };
}

format_step observe(std::function<void(format_page& page)> look)
{
    return [=](format_page& page) {
        look(page);
        return true;
    };
}

HWND open_colour_dialog()
{
    struct search {
        HWND found = nullptr;
        std::string title = sjis("色の設定");
    } wanted;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<search*>(data);
            std::string title;
            get_window_text(window, title);
            if (title == s->title && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

std::string combo_text(HWND page, int id)
{
    std::string text;
    get_combo_selection_text(GetDlgItem(page, id), text);
    return text;
}
