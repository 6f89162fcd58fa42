// A format page in a property sheet of its own, driven by the sheet script of
// tests/support: each step gets the page object.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "options/format_page.h"
#include "ui/application.h"
#include "ui/property_sheet.h"

using format_step = std::function<void(format_page& page)>;

class format_sheet : public property_sheet {
public:
    explicit format_sheet(settings& target) : page(target) { add_page(&page); }
    // Runs the sheet with one step per tick; returns the sheet's result.
    INT_PTR run_steps(const std::vector<format_step>& steps);

    format_page page;
};

class format_page_test : public ::testing::Test {
protected:
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};

// Steps.
format_step select_window(int window);
format_step select_font_name(const std::string& name);
// Posted, so that a dialog the click opens runs its loop when the next step
// comes.
format_step post_click(int id);
format_step click_check_box(int id);
format_step press_sheet_ok();
format_step press_sheet_cancel();
format_step in_colour_dialog(int button_id);

// The colour dialog open in this thread, or nullptr.
HWND open_colour_dialog();
// The text shown by a combo box (its selected entry).
std::string combo_text(HWND page, int id);
