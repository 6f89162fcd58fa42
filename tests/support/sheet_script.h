// Drives a modal property sheet from inside its own loop: a thread timer runs
// one step of a script every 30 ms (thread timers fire in every loop of the
// thread, the sheet's and its message boxes' alike). A script that ends with
// the sheet still open cancels it after a while, so a test never hangs.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using sheet_step = std::function<void(HWND sheet)>;

namespace sheet_script_detail {

struct window_search {
    bool want_sheet;
    HWND found = nullptr;
};

inline BOOL CALLBACK find_dialog(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<window_search*>(search_address);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::string(class_name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    // A sheet holds the tab control; a message box its text (id 0xFFFF).
    const bool is_sheet = FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
    const bool is_box = GetDlgItem(window, 0xFFFF) != nullptr;
    if ((search.want_sheet && is_sheet) || (!search.want_sheet && is_box && !is_sheet)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND find(bool sheet) {
    window_search search{sheet};
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace sheet_script_detail

// The open sheet and the message box of this thread, or nullptr.
inline HWND open_sheet_window() { return sheet_script_detail::find(true); }
inline HWND open_message_box() { return sheet_script_detail::find(false); }

// Counts the sheets of this thread that are open at once.
inline int open_sheet_count() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            char class_name[16] = {};
            GetClassNameA(window, class_name, sizeof class_name);
            if (std::string(class_name) == "#32770" && IsWindowVisible(window) &&
                FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr))
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

inline HWND current_page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
inline int current_page_index(HWND sheet) { return TabCtrl_GetCurSel(PropSheet_GetTabControl(sheet)); }

// Runs the steps while it lives; the sheet is started by the test meanwhile.
class sheet_script {
public:
    explicit sheet_script(std::vector<sheet_step> steps) : steps_(std::move(steps)) {
        running_ = this;
        timer_ = SetTimer(nullptr, 0, 30, tick);
    }
    ~sheet_script() {
        KillTimer(nullptr, timer_);
        running_ = nullptr;
    }
    sheet_script(const sheet_script&) = delete;
    sheet_script& operator=(const sheet_script&) = delete;

    bool all_steps_ran() const { return next_ == steps_.size(); }
    bool cancelled_for_hanging() const { return gave_up_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        sheet_script* script = running_;
        if (!script)
            return;
        HWND sheet = open_sheet_window();
        if (!sheet)
            return;
        if (script->next_ < script->steps_.size()) {
            // Counted first: a step may wait in a message box's loop while
            // the next ticks arrive.
            script->steps_[script->next_++](sheet);
            return;
        }
        if (++script->idle_ticks_ > 30) {
            script->gave_up_ = true;
            if (HWND box = open_message_box())
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        }
    }

    static inline sheet_script* running_ = nullptr;
    std::vector<sheet_step> steps_;
    std::size_t next_ = 0;
    int idle_ticks_ = 0;
    bool gave_up_ = false;
    UINT_PTR timer_ = 0;
};

// Steps.
inline sheet_step show_page(int index) {
    return [index](HWND sheet) { PostMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); };
}
inline sheet_step set_item_text(int id, std::string text) {
    return [id, text](HWND sheet) { SetDlgItemTextA(current_page(sheet), id, text.c_str()); };
}
inline sheet_step click(int id) {
    return [id](HWND sheet) { SendMessageA(GetDlgItem(current_page(sheet), id), BM_CLICK, 0, 0); };
}
inline sheet_step set_hotkey_control(int id, WORD hotkey) {
    return
        [id, hotkey](HWND sheet) { SendDlgItemMessageA(current_page(sheet), id, HKM_SETHOTKEY, hotkey, 0); };
}
inline const sheet_step press_ok = [](HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); };
inline const sheet_step press_cancel = [](HWND sheet) {
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
};
// Closes the message box that is up, keeping its text; an empty text when
// none is up.
inline sheet_step answer_message_box(std::vector<std::string>& texts) {
    return [&texts](HWND) {
        HWND box = open_message_box();
        char text[256] = {};
        if (box) {
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        texts.push_back(text);
    };
}
