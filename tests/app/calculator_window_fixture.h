#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
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

private:
    static std::string new_directory();
};
