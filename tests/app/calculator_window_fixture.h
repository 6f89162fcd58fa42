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
