// Saving at exit when a file cannot be written: the old file stays byte for
// byte, and one message names the file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calculator_window_fixture.h"
#include "options/settings_file.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "support/sjis.h"
#include "ui/program_resources.h"
#include "ui/temporary_name.h"

namespace {

std::vector<std::string> shown_texts;
HWND last_owner = nullptr;
UINT last_type = 0;
int WINAPI record_message_box(HWND owner, LPCSTR text, LPCSTR, UINT type) {
    shown_texts.push_back(text);
    last_owner = owner;
    last_type = type;
    return IDOK;
}

// What keeps a file from being saved, set up before the exit and taken away
// after it.
enum fault { read_only_file, locked_file, temporary_blocked };

struct save_failure_case {
    const char* name;
    const char* file;
    fault kind;
};

class save_failure : public calculator_window_fixture, public testing::WithParamInterface<save_failure_case> {
protected:
    void SetUp() override {
        shown_texts.clear();
        previous_ = set_message_box_function(record_message_box);
    }
    void TearDown() override {
        set_message_box_function(previous_);
        calculator_window_fixture::TearDown();
    }

    void set_fault(const std::string& path, fault kind) {
        switch (kind) {
        case read_only_file: SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); break;
        case locked_file:
            lock_ = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock_, INVALID_HANDLE_VALUE);
            break;
        case temporary_blocked:
            // A folder where the new text would be written first.
            ASSERT_TRUE(CreateDirectoryA(temporary_name(path).c_str(), nullptr));
            break;
        }
    }
    void clear_fault(const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (lock_ != INVALID_HANDLE_VALUE)
            CloseHandle(lock_);
        RemoveDirectoryA(temporary_name(path).c_str());
    }

    message_box_function previous_ = nullptr;
    HANDLE lock_ = INVALID_HANDLE_VALUE;
};

TEST_P(save_failure, leaves_the_old_file_and_names_it_once) {
    const save_failure_case& c = GetParam();
    {
        std::ofstream(directory + "history.txt", std::ios::binary) << "1+1 = 2\r\n";
        std::ofstream(directory + "var.txt", std::ios::binary) << "x = 5\r\n";
    }
    start([](settings& record) { record.precision = 7; });
    // Something new to save in each file.
    SendMessageA(editor_handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("y=3"));
    calculator->commit();
    SendMessageA(calculator->handle(), WM_COMMAND, IDM_HEX, 0);

    const std::string path = directory + c.file;
    const std::string old = file_contents(path);
    ASSERT_FALSE(old.empty());
    set_fault(path, c.kind);
    DestroyWindow(calculator->handle());
    clear_fault(path);

    EXPECT_EQ(file_contents(path), old);
    ASSERT_EQ(shown_texts.size(), 1u);
    EXPECT_EQ(shown_texts[0].find(sjis("次のファイルを保存できませんでした。")), 0u);
    EXPECT_NE(shown_texts[0].find(path), std::string::npos);
    // Not owned by the window on its way out, which would hide it.
    EXPECT_EQ(last_owner, nullptr);
    EXPECT_EQ(last_type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    // Only the file that failed is named; the others were saved.
    for (const char* other : {"history.txt", "var.txt", "Tarvik.ini"}) {
        if (std::string(other) != c.file) {
            EXPECT_EQ(shown_texts[0].find(directory + other), std::string::npos) << other;
        }
    }
    if (std::string(c.file) != "history.txt") {
        EXPECT_NE(file_contents(directory + "history.txt").find("y=3 = 3"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    files, save_failure,
    testing::Values(save_failure_case{"read_only_history", "history.txt", read_only_file},
                    save_failure_case{"read_only_variables", "var.txt", read_only_file},
                    save_failure_case{"read_only_settings", "Tarvik.ini", read_only_file},
                    save_failure_case{"locked_history", "history.txt", locked_file},
                    save_failure_case{"locked_variables", "var.txt", locked_file},
                    save_failure_case{"locked_settings", "Tarvik.ini", locked_file},
                    save_failure_case{"failing_history", "history.txt", temporary_blocked},
                    save_failure_case{"failing_variables", "var.txt", temporary_blocked},
                    save_failure_case{"failing_settings", "Tarvik.ini", temporary_blocked}),
    [](const testing::TestParamInfo<save_failure_case>& parameter) {
        return std::string(parameter.param.name);
    });

// A "Tarvik.ini" the user made read-only stays so: confirming the options
// twice and leaving tell of it once, and the file is never touched.
class read_only_settings : public save_failure {};

TEST_F(read_only_settings, are_reported_once) {
    start();
    const std::string path = directory + "Tarvik.ini";
    const std::string old = file_contents(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    for (int i = 0; i < 2; ++i) {
        sheet_script script({press_ok});
        SendMessageA(calculator->handle(), WM_COMMAND, IDM_OPTIONS, 0);
        EXPECT_TRUE(script.all_steps_ran());
    }
    ASSERT_EQ(shown_texts.size(), 1u);
    EXPECT_EQ(last_owner, calculator->handle());
    DestroyWindow(calculator->handle());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(shown_texts.size(), 1u);
    EXPECT_EQ(file_contents(path), old);
}

} // namespace

// A file locked by another program while the calculator starts is left
// alone for the whole run, even once the lock is gone: its contents were
// never read. The user learns once which file it is and why.
class unreadable_at_start : public save_failure {};

TEST_P(unreadable_at_start, is_never_written) {
    const save_failure_case& c = GetParam();
    {
        std::ofstream(directory + "history.txt", std::ios::binary) << "1+1 = 2\r\n";
        std::ofstream(directory + "var.txt", std::ios::binary) << "x = 5\r\n";
        settings record;
        record.show_tray = false;
        save_settings(record, directory + "Tarvik.ini");
    }
    const std::string path = directory + c.file;
    const std::string old = file_contents(path);
    set_fault(path, locked_file);
    calculator = std::make_unique<main_window>(directory);
    ASSERT_TRUE(calculator->create(nullptr));
    calculator->finish_start();
    clear_fault(path);
    ASSERT_EQ(shown_texts.size(), 1u);
    EXPECT_EQ(shown_texts[0].find(sjis("次のファイルを読み込めませんでした。")), 0u);
    EXPECT_NE(shown_texts[0].find(path), std::string::npos);

    SendMessageA(editor_handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("y=3"));
    calculator->commit();
    SendMessageA(calculator->handle(), WM_COMMAND, IDM_RADIAN, 0);
    SendMessageA(calculator->handle(), WM_TIMER, data_files::SAVE_TIMER, 0);
    DestroyWindow(calculator->handle());
    EXPECT_EQ(file_contents(path), old);
    EXPECT_EQ(shown_texts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(files, unreadable_at_start,
                         testing::Values(save_failure_case{"history", "history.txt", locked_file},
                                         save_failure_case{"variables", "var.txt", locked_file},
                                         save_failure_case{"settings", "Tarvik.ini", locked_file}),
                         [](const testing::TestParamInfo<save_failure_case>& parameter) {
                             return std::string(parameter.param.name);
                         });
