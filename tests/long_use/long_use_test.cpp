// A day of use in a few minutes: the real calculator window driven with the
// messages a user's keys, the hotkey and the options sheet produce, its graphics objects,
// windows and memory counted before and after. Anything kept per evaluation,
// per popup, per answer form or per show would show up as growth.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "options/settings_file.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "ui/application.h"
#include "support/open_list_popup.h"
#include "ui/program_resources.h"

namespace {

// ------------------------------------------------------------- the counters

// One entry of the process's GDI handle table, laid out as Windows and Wine
// keep it: a live object has a nonzero type.
struct gdi_handle_entry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t generation;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user_pointer;
};
static_assert(sizeof(gdi_handle_entry) == 24);
constexpr std::size_t GDI_TABLE_SIZE = 0x10000;
// The table's address in the process environment block (64-bit layout).
constexpr std::size_t PEB_GDI_TABLE_OFFSET = 0xF8;

// The graphics objects of this process. GetGuiResources answers where the
// system supports it; Wine answers 0, and the handle table is read instead.
std::size_t gdi_objects() {
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return reported;
    PROCESS_BASIC_INFORMATION basic{};
    using query_function = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<query_function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const gdi_handle_entry* const*>(peb + PEB_GDI_TABLE_OFFSET);
    if (!table)
        return 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < GDI_TABLE_SIZE; ++i)
        count += table[i].type != 0;
    return count;
}

BOOL CALLBACK count_window(HWND window, LPARAM count);

// The user-interface objects of this process, as the windows it owns.
std::size_t user_objects() {
    std::size_t count = 0;
    EnumWindows(count_window, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK count_children(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

BOOL CALLBACK count_window(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<std::size_t*>(count);
        EnumChildWindows(window, count_children, count);
    }
    return TRUE;
}

// The process's committed private memory (the page-file figure).
std::size_t private_bytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct counts {
    std::size_t gdi;
    std::size_t user;
    std::size_t bytes;
};

counts measure() { return {gdi_objects(), user_objects(), private_bytes()}; }

void print(const char* when, const counts& c) {
    std::printf("%s: GDI objects %zu, USER objects %zu, private bytes %zu\n", when, c.gdi, c.user, c.bytes);
    std::fflush(stdout);
}

// The counters see what a leak leaves behind: 50 brushes, 5 windows and
// 16 MiB of memory in use.
TEST(long_use_counters, see_a_deliberate_leak) {
    // The first window of a class makes the system's own lasting objects
    // (class brushes, fonts, theme data): made once here, they are not counted
    // as the leak's.
    DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const counts before = measure();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 50; ++i)
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    std::vector<HWND> windows;
    for (int i = 0; i < 5; ++i)
        windows.push_back(
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    auto memory = std::make_unique<char[]>(16 << 20);
    for (std::size_t i = 0; i < (16u << 20); i += 4096)
        memory[i] = 1;
    const counts leaking = measure();
    print("before the leak", before);
    print("leaking", leaking);
    EXPECT_GE(leaking.gdi, before.gdi + 50);
    EXPECT_GE(leaking.user, before.user + 5);
    EXPECT_GE(leaking.bytes, before.bytes + (16u << 20));

    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    for (HWND window : windows)
        DestroyWindow(window);
    memory.reset();
    const counts after = measure();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

// ---------------------------------------------------------------- the run

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string text(const char* format, int first, int second = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, first, second);
    return buffer;
}

int WINAPI answer_yes(HWND, LPCSTR, LPCSTR, UINT) { return IDYES; }

class long_use : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        directory_ = temp + text("tarvik_long_use_%d\\", static_cast<int>(GetCurrentProcessId()));
        CreateDirectoryA(directory_.c_str(), nullptr);
        settings record;
        record.show_tray = false;
        save_settings(record, directory_ + "Tarvik.ini");
        previous_box_ = set_message_box_function(answer_yes);
        calculator_ = std::make_unique<main_window>(directory_);
        ASSERT_TRUE(calculator_->create(nullptr));
        // Another application's window, in front whenever the calculator is hidden.
        other_ = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 100, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        if (calculator_ && IsWindow(calculator_->handle()))
            DestroyWindow(calculator_->handle());
        calculator_.reset();
        DestroyWindow(other_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        set_message_box_function(previous_box_);
        for (const char* name : {"Tarvik.ini", "history.txt", "var.txt"})
            DeleteFileA((directory_ + name).c_str());
        RemoveDirectoryA(directory_.c_str());
    }

    HWND main() { return calculator_->handle(); }
    // The list popups drop down from the editor.
    HWND editor() { return calculator_->list_anchor(); }

    // Typed and entered, as the keys would: a change notification, then Enter.
    void evaluate(const std::string& expression) {
        SendMessageA(editor(), EM_SETSEL, 0, -1);
        SendMessageA(editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(expression.c_str()));
        SendMessageA(editor(), WM_CHAR, '\r', 0x001C0001);
        // Committed, or refused by the answer form (a negative hex answer).
        entered_ += calculator_->current_answer_state() != edited;
    }

    void switch_answer_form(int step) {
        SendMessageA(main(), WM_COMMAND, MAKEWPARAM(IDM_REAL + step % 5, 0), 0);
    }

    // Page Down opens the history, Page Up the variables; in the list, Enter
    // picks the selected row, the context menu's "delete" deletes it (the
    // question answered yes) and Escape closes the popup.
    void use_list(int step) {
        SendMessageA(editor(), WM_KEYDOWN, step % 2 ? VK_PRIOR : VK_NEXT, 1);
        pump_messages();
        list_popup* const opened = open_list_popup_of(main());
        if (!opened)
            return;
        list_popup& popup = *opened;
        ++opened_;
        HWND list = popup.list().handle();
        const auto rows = SendMessageA(list, LB_GETCOUNT, 0, 0);
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        if (step % 4 < 2) {
            SendMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
            pump_messages();
            picked_ += !popup.is_open();
        } else {
            SendMessageA(popup.handle(), WM_COMMAND, MAKEWPARAM(IDM_LIST_DELETE, 0), 0);
            pump_messages();
            deleted_ += SendMessageA(list, LB_GETCOUNT, 0, 0) == rows - 1;
            SendMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
            pump_messages();
        }
        if (popup.is_open())
            popup.close();
        pump_messages();
    }

    // The options sheet opened from the menu command, every page shown, then
    // confirmed: the pages' controls, fonts and the applied settings each time.
    void confirm_options() {
        sheet_script script({show_page(1), show_page(2), show_page(3), show_page(0), press_ok});
        SendMessageA(main(), WM_COMMAND, MAKEWPARAM(IDM_OPTIONS, 0), 0);
        confirmed_ += script.all_steps_ran() && !script.cancelled_for_hanging();
        pump_messages();
    }

    // The hotkey shows the hidden calculator, and hides it again in front.
    void show_and_hide() {
        SetForegroundWindow(other_);
        pump_messages();
        SendMessageA(main(), WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE));
        pump_messages();
        shown_ += IsWindowVisible(main()) != FALSE;
        SendMessageA(main(), WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE));
        pump_messages();
        if (IsWindowVisible(main()))
            ShowWindow(main(), SW_HIDE);
        else
            ++hidden_;
        pump_messages();
    }

    std::string directory_;
    application app_{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    std::unique_ptr<main_window> calculator_;
    message_box_function previous_box_ = nullptr;
    HWND other_ = nullptr;
    int entered_ = 0;
    int confirmed_ = 0;
    int opened_ = 0;
    int picked_ = 0;
    int deleted_ = 0;
    int shown_ = 0;
    int hidden_ = 0;
};

TEST_F(long_use, leaves_object_and_memory_counts_flat) {
    // One round of everything first: fonts, classes and caches that are made
    // once are not growth.
    for (int i = 0; i < 60; ++i) {
        evaluate(text("v%d=%d*3", i % 20, i));
        switch_answer_form(i);
        use_list(i);
    }
    show_and_hide();
    confirm_options();
    switch_answer_form(0);
    pump_messages();
    const counts start = measure();
    print("start", start);

    entered_ = 0;
    for (int i = 0; i < 10000; ++i) {
        evaluate(i % 3 ? text("sin(%d)*%d+ans/7", i, i % 97) : text("v%d=%d^2", i % 40, i));
        if (i % 10 == 0)
            switch_answer_form(i / 10);
        if (i % 100 == 0)
            pump_messages();
    }
    print("after 10000 evaluations and 1000 answer-form switches", measure());
    EXPECT_EQ(entered_, 10000);
    opened_ = picked_ = deleted_ = 0;
    for (int i = 0; i < 300; ++i) {
        if (i % 4 == 3)
            evaluate(text("%d+1", i));
        use_list(i);
    }
    print("after 300 list popups", measure());
    EXPECT_EQ(opened_, 300);
    EXPECT_EQ(picked_, 150);
    EXPECT_EQ(deleted_, 150);
    shown_ = hidden_ = 0;
    for (int i = 0; i < 100; ++i)
        show_and_hide();
    EXPECT_EQ(shown_, 100);
    EXPECT_EQ(hidden_, 100);
    print("after 100 hotkey hide/show cycles", measure());
    confirmed_ = 0;
    for (int i = 0; i < 100; ++i)
        confirm_options();
    EXPECT_EQ(confirmed_, 100);
    print("after 100 options sheets confirmed on every page", measure());
    switch_answer_form(0);
    pump_messages();

    const counts end = measure();
    print("end", end);
    EXPECT_LE(end.gdi, start.gdi + 4);
    EXPECT_LE(end.user, start.user + 1);
    EXPECT_LE(end.bytes, start.bytes + (2u << 20));
}

} // namespace
