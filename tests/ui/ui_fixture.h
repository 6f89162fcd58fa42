// The application object every window test runs under, and a window class of
// the framework for the tests' own windows.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/window_procedure.h"

inline constexpr const char* test_class_name = "tarvik_test_window";

class ui_test : public ::testing::Test {
protected:
    ui_test() {
        // Registered once per process; a second registration fails harmlessly.
        register_class(test_class_name, CS_DBLCLKS, nullptr, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }

    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};
