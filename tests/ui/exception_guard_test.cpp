// An exception thrown by a handler ends at the procedure's boundary: the
// message gets its default processing and the program goes on.
#include <windows.h>

#include <fstream>
#include <new>
#include <string>

#include "test_resources.h"
#include "ui/crash_log.h"
#include "ui/dialog.h"
#include "ui/text.h"
#include "ui_fixture.h"

namespace {

constexpr UINT throwing_command = 1198;
constexpr UINT end_command = 1199;
constexpr INT_PTR ended_by_test = 42;

class throwing_window : public window {
protected:
    void on_set_text(const char*) override { throw std::bad_alloc(); }
};

// Throws on one command, ends on another: both posted while it runs.
class throwing_dialog : public dialog {
protected:
    bool on_init_dialog(HWND, LPARAM) override {
        PostMessageA(handle(), WM_COMMAND, throwing_command, 0);
        PostMessageA(handle(), WM_COMMAND, end_command, 0);
        return true;
    }
    void on_command(UINT, UINT id, HWND) override {
        if (id == throwing_command)
            throw std::bad_alloc();
        if (id == end_command)
            end_dialog(ended_by_test);
    }
};

using exception_guard_test = ui_test;

TEST_F(exception_guard_test, a_throwing_handler_falls_back_to_the_default_processing) {
    throwing_window thrower;
    ASSERT_TRUE(thrower.create(0, test_class_name, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(TRUE, SendMessageA(thrower.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set")));
    std::string text;
    get_window_text(thrower.handle(), text);
    EXPECT_EQ("set", text) << "DefWindowProc must have set the text";
    DestroyWindow(thrower.handle());

    throwing_dialog thrower_dialog;
    EXPECT_EQ(ended_by_test, thrower_dialog.run_modal(IDD_TEST_DIALOG, nullptr));
}

// "Tarvik.log" beside the program (here the test program) tells of each one.
TEST_F(exception_guard_test, a_caught_exception_is_logged_beside_the_program) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string log = program;
    log = log.substr(0, log.find_last_of('\\') + 1) + "Tarvik.log";
    DeleteFileA(log.c_str());

    throwing_window thrower;
    ASSERT_TRUE(thrower.create(0, test_class_name, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    SendMessageA(thrower.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"));
    DestroyWindow(thrower.handle());

    std::ifstream in(log, std::ios::binary);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_NE(line.find("exception caught: std::bad_alloc"), std::string::npos) << line;
    in.close();
    DeleteFileA(log.c_str());
}

} // namespace

namespace {

// The filter the start installs writes the exception's code and place to the
// log; called here directly, as the system would call it before the end.
TEST(crash_log, an_unhandled_exception_leaves_its_code_and_place_in_the_log) {
    wchar_t program[MAX_PATH];
    const std::wstring path(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    const std::wstring log = path.substr(0, path.find_last_of(L'\\') + 1) + L"Tarvik.log";
    DeleteFileW(log.c_str());
    install_crash_log();
    const LPTOP_LEVEL_EXCEPTION_FILTER filter = SetUnhandledExceptionFilter(nullptr);
    ASSERT_NE(filter, nullptr);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_STACK_OVERFLOW;
    record.ExceptionAddress = reinterpret_cast<void*>(&install_crash_log);
    CONTEXT context{};
    EXCEPTION_POINTERS pointers{&record, &context};
    EXPECT_EQ(filter(&pointers), EXCEPTION_EXECUTE_HANDLER);

    std::ifstream in(log.c_str(), std::ios::binary);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_NE(line.find("unhandled exception 0xC00000FD (stack overflow) at ui_tests.exe+0x"),
              std::string::npos)
        << line;
    in.close();
    DeleteFileW(log.c_str());
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = nullptr;
    EXPECT_EQ(crash_description(record).rfind("unhandled exception 0xC0000005 (access violation) at ", 0),
              0u);
}

} // namespace
