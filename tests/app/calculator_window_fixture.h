#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "options/settings.h"
#include "ui/application.h"

// Dispatches every message waiting in this thread's queue.
void pump_messages();

// Waits (pumping this thread's messages) until the condition holds or a
// second passes.
bool eventually(const std::function<bool()>& condition);

// The whole of a file, byte for byte; empty when it cannot be read.
std::string file_contents(const std::string& path);

// A window's edit control found as any program finds child controls: the
// calculator's answer display is its read-only one, the editor the other.
HWND child_edit(HWND window, bool read_only);

// A main window on files of its own in a fresh folder, created from settings
// the test prepares (no tray icon unless the test asks for one); the window,
// its files and the folder go with the test.
class calculator_window_fixture : public testing::Test {
protected:
    void start(const std::function<void(settings&)>& tweak = {});
    void TearDown() override;

    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    std::string directory = new_directory();
    std::unique_ptr<main_window> calculator;

    // The window's two fields.
    HWND editor_handle() const { return child_edit(calculator->handle(), false); }
    HWND answer_handle() const { return child_edit(calculator->handle(), true); }
    // Their objects, for the fields' own look (fonts, frames, colours).
    expression_editor& editor_control();
    answer_display& answer_control();
    // The history and the variables as their lists show them: "6/3 = 2".
    std::vector<std::string> history_rows() const { return calculator->list_rows(history_list); }
    std::vector<std::string> variable_rows() const { return calculator->list_rows(variable_list); }
    // A variable's value as its list shows it; empty when there is none.
    std::string variable_text(const std::string& name) const;

    // Whether some window holds the hotkey: another window cannot register it.
    static bool hotkey_held(UINT modifiers, UINT virtual_key);

    // Runs the options sheet from the main window's command, with the steps
    // the script takes on it.
    void run_options(std::vector<sheet_step> steps) {
        sheet_script script(std::move(steps));
        SendMessageA(calculator->handle(), WM_COMMAND, IDM_OPTIONS, 0);
        EXPECT_TRUE(script.all_steps_ran());
        EXPECT_FALSE(script.cancelled_for_hanging());
    }

private:
    static std::string new_directory();
};
