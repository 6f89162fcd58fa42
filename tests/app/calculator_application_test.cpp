#include "app/calculator_application.h"
#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "app/hotkey.h"
#include "options/settings_file.h"
#include "resources/resource.h"

namespace {

std::string class_of(HWND handle) {
    char name[64] = {};
    GetClassNameA(handle, name, sizeof name);
    return name;
}

std::string title_of(HWND handle) {
    char title[64] = {};
    GetWindowTextA(handle, title, sizeof title);
    return title;
}

// The files a started calculator keeps beside the program (here: the test program).
void remove_program_files(const std::string& directory) {
    for (const char* name : {"Tarvik.ini", "history.txt", "var.txt"})
        DeleteFileA((directory + name).c_str());
}

class first_start : public testing::TestWithParam<bool> {};

// init_instance creates the hidden owner and the main window, shows it only
// with "Begin Show"; run ends with the quit message that the main window's
// destruction posts.
TEST_P(first_start, creates_the_owner_and_the_main_window_and_runs_until_it_is_destroyed) {
    const bool begin_show = GetParam();
    calculator_application program(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    std::string directory;
    program.module_directory(directory);
    ASSERT_FALSE(directory.empty());
    settings record;
    record.show_tray = false;
    record.begin_show = begin_show;
    save_settings(record, directory + "Tarvik.ini");

    ASSERT_TRUE(program.init_instance());
    HWND main = program.calculator_window().handle();
    ASSERT_TRUE(IsWindow(main));
    EXPECT_EQ(class_of(main), "tarvikwnd");
    EXPECT_EQ(title_of(main), "Tarvik");
    EXPECT_EQ(IsWindowVisible(main) != FALSE, begin_show);

    HWND owner = GetWindow(main, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(class_of(owner), "tarvikdummywnd");
    EXPECT_EQ(title_of(owner), "");
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(GetParent(owner), nullptr);

    DestroyWindow(main);
    EXPECT_EQ(program.run(), 0);
    program.exit_instance();
    // The program leaves its owner to the end of the process; a test does not.
    DestroyWindow(owner);
    remove_program_files(directory);
}

// What the start shows comes in this order: the window (painted), the tray
// icon, then the message about a hotkey another program holds; the history
// is read by then, before the message box lets the user type.
struct start_order {
    calculator_application* program = nullptr;
    bool window_visible = false;
    bool tray_icon_there = false;
    std::size_t history_entries = 0;
    int messages = 0;
};
start_order seen;

int WINAPI note_start_order(HWND owner, LPCSTR, LPCSTR, UINT) {
    ++seen.messages;
    seen.window_visible = IsWindowVisible(owner) != FALSE;
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    seen.tray_icon_there = Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
    seen.history_entries = seen.program->calculator_window().list_rows(history_list).size();
    return IDOK;
}

TEST(start, reports_a_taken_hotkey_after_the_window_and_the_tray_icon_are_up) {
    calculator_application program(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    std::string directory;
    program.module_directory(directory);
    settings record;
    record.show_tray = true;
    record.begin_show = true;
    save_settings(record, directory + "Tarvik.ini");
    std::FILE* history = std::fopen((directory + "history.txt").c_str(), "wb");
    ASSERT_NE(history, nullptr);
    std::fputs("1+1 = 2\r\n", history);
    std::fclose(history);
    HWND holder = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 0, MOD_ALT, VK_SPACE));
    seen = {&program};
    const message_box_function previous = set_hotkey_message_box(note_start_order);

    ASSERT_TRUE(program.init_instance());
    set_hotkey_message_box(previous);
    UnregisterHotKey(holder, 0);
    DestroyWindow(holder);
    EXPECT_EQ(seen.messages, 1);
    EXPECT_TRUE(seen.window_visible);
    EXPECT_TRUE(seen.tray_icon_there);
    EXPECT_EQ(seen.history_entries, 1u);

    HWND main = program.calculator_window().handle();
    HWND owner = GetWindow(main, GW_OWNER);
    DestroyWindow(main);
    EXPECT_EQ(program.run(), 0);
    program.exit_instance();
    DestroyWindow(owner);
    remove_program_files(directory);
}

INSTANTIATE_TEST_SUITE_P(begin_show, first_start, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& parameter) {
                             return std::string(parameter.param ? "shown" : "hidden");
                         });

// A window of a class outside the framework (a control of some library)
// has no guard at its procedure: what it throws reaches the message loop,
// which logs it and goes on; the exit that follows still saves the files.
HWND exiting_window = nullptr;
LRESULT CALLBACK throwing_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP) {
        PostMessageA(exiting_window, WM_COMMAND, IDM_EXIT, 0);
        throw std::runtime_error("unguarded failure");
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST(message_loop, logs_an_exception_and_goes_on_to_save_the_files) {
    calculator_application program(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    std::string directory;
    program.module_directory(directory);
    remove_program_files(directory);
    DeleteFileA((directory + "Tarvik.log").c_str());
    settings record;
    record.show_tray = false;
    save_settings(record, directory + "Tarvik.ini");

    ASSERT_TRUE(program.init_instance());
    exiting_window = program.calculator_window().handle();
    HWND owner = GetWindow(exiting_window, GW_OWNER);
    WNDCLASSA type{};
    type.lpfnWndProc = throwing_procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "tarvik_test_unguarded";
    RegisterClassA(&type);
    HWND unguarded = CreateWindowExA(0, type.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     type.hInstance, nullptr);
    PostMessageA(unguarded, WM_APP, 0, 0);
    EXPECT_EQ(program.run(), 0);
    program.exit_instance();
    DestroyWindow(owner);
    DestroyWindow(unguarded);

    std::ifstream log(directory + "Tarvik.log", std::ios::binary);
    std::string line;
    EXPECT_TRUE(std::getline(log, line));
    EXPECT_NE(line.find("unguarded failure"), std::string::npos) << line;
    log.close();
    EXPECT_NE(GetFileAttributesA((directory + "history.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    remove_program_files(directory);
    DeleteFileA((directory + "Tarvik.log").c_str());
}

// A second start from the folder of a running copy (which holds the folder's
// lock) finds that copy's calculator by its class and its program's folder,
// shows it and ends without creating anything of its own.
TEST(second_start, shows_the_running_copy_and_creates_nothing) {
    wchar_t program[MAX_PATH];
    const std::wstring path(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    const single_instance first(path.substr(0, path.find_last_of(L'\\') + 1));
    ASSERT_TRUE(first.first());
    calculator_application second(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string directory = std::string(temp) + "tarvik_app_" + std::to_string(GetCurrentProcessId()) +
                                  "\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    settings record;
    record.show_tray = false;
    record.begin_show = false;
    save_settings(record, directory + "Tarvik.ini");
    {
        main_window running(directory);
        ASSERT_TRUE(running.create(nullptr));
        ASSERT_FALSE(IsWindowVisible(running.handle()));

        EXPECT_FALSE(second.init_instance());
        EXPECT_TRUE(IsWindowVisible(running.handle()));
        EXPECT_EQ(second.calculator_window().handle(), nullptr);
        EXPECT_EQ(FindWindowA("tarvikdummywnd", nullptr), nullptr);

        DestroyWindow(running.handle());
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    remove_program_files(directory);
    RemoveDirectoryA(directory.c_str());
}

} // namespace

namespace {

TEST(single_instance, one_lock_per_folder_whatever_its_case) {
    const single_instance first(L"C:\\Tools\\Zoë\\Tarvik\\");
    EXPECT_TRUE(first.first());
    EXPECT_FALSE(single_instance(L"c:\\tools\\ZOË\\tarvik\\").first());
    EXPECT_TRUE(single_instance(L"C:\\Tools\\Other\\").first());
}

} // namespace
