// What a screen reader meets: the names, roles and values the calculator's
// windows hand out, and one live-region announcement per commit. Wine makes
// no standard accessible objects and sends WinEvents only within a process,
// so the program's own objects and an in-process hook are what is read here.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "calculator_window_fixture.h"
#include "support/open_list_popup.h"

namespace {

constexpr DWORD LIVE_REGION_CHANGED = 0x8019;

std::vector<HWND> live_region_events;

void CALLBACK note_event(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    live_region_events.push_back(window);
}

struct read_out {
    std::wstring name;
    std::wstring value;
    long role = 0;
};

// The accessible object a client gets for the window's client area.
read_out read_accessible(HWND window, long child = CHILDID_SELF) {
    read_out got;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return got;
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(which, &text)) && text)
        got.name = text;
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accValue(which, &text)) && text)
        got.value = text;
    SysFreeString(text);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(which, &role)) && role.vt == VT_I4)
        got.role = role.lVal;
    object->Release();
    return got;
}

class accessibility_test : public calculator_window_fixture {
protected:
    HWND editor() { return editor_handle(); }
    HWND answer() { return answer_handle(); }
    void type(const char* text) {
        SendMessageA(editor(), EM_SETSEL, 0, -1);
        SendMessageA(editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        pump_messages();
    }
    void enter() {
        SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001);
        pump_messages();
    }
};

TEST_F(accessibility_test, every_window_and_part_has_a_name_and_role) {
    start();
    const struct {
        const char* what;
        HWND window;
        long child;
        const wchar_t* name;
        long role;
    } cases[] = {
        {"editor", editor(), CHILDID_SELF, L"式", ROLE_SYSTEM_TEXT},
        {"answer display", answer(), CHILDID_SELF, L"答え", ROLE_SYSTEM_TEXT},
        {"calculator", calculator->handle(), CHILDID_SELF, L"Tarvik", ROLE_SYSTEM_CLIENT},
        {"icon cell", calculator->handle(), 1, L"隠す", ROLE_SYSTEM_PUSHBUTTON},
    };
    for (const auto& c : cases) {
        const read_out got = read_accessible(c.window, c.child);
        EXPECT_EQ(got.name, c.name) << c.what;
        EXPECT_EQ(got.role, c.role) << c.what;
    }
}

TEST_F(accessibility_test, the_history_list_and_its_rows_are_named) {
    start();
    type("1+2");
    enter();
    SendMessageA(calculator->handle(), WM_COMMAND, IDM_HISTORY, 0);
    list_popup* const popup = open_list_popup_of(calculator->handle());
    ASSERT_NE(popup, nullptr);
    HWND list = popup->list().handle();
    const read_out whole = read_accessible(list);
    EXPECT_EQ(whole.name, L"計算履歴");
    EXPECT_EQ(whole.role, ROLE_SYSTEM_LIST);
    const read_out row = read_accessible(list, 1);
    EXPECT_EQ(row.name, L"1+2 = 3");
    EXPECT_EQ(row.role, ROLE_SYSTEM_LISTITEM);
    popup->close();
}

TEST_F(accessibility_test, each_commit_is_announced_once_with_the_shown_answer_as_value_and_typing_never) {
    start();
    HWINEVENTHOOK hook = SetWinEventHook(LIVE_REGION_CHANGED, LIVE_REGION_CHANGED, nullptr, note_event,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    live_region_events.clear();
    const struct {
        const char* expression;
        const wchar_t* value;
    } cases[] = {
        {"1+2", L"3"},
        {"1234*2", L"2468"},
        {"1/0", L"除算が 0 で行われています。"},
    };
    size_t commits = 0;
    for (const auto& c : cases) {
        type(c.expression);
        EXPECT_EQ(live_region_events.size(), commits) << "typing " << c.expression;
        enter();
        ++commits;
        EXPECT_EQ(live_region_events.size(), commits) << c.expression;
        EXPECT_EQ(read_accessible(answer()).value, c.value) << c.expression;
    }
    UnhookWinEvent(hook);
    for (HWND window : live_region_events)
        EXPECT_EQ(window, answer());
}

} // namespace
