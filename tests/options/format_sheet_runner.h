// Runs a format page in a property sheet of its own, driven by a thread timer
// that performs one step per tick while the sheet (and any dialog it opens)
// runs modally.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "options/format_page.h"
#include "ui/application.h"
#include "ui/property_sheet.h"

// A step returns false to be tried again at the next tick (a dialog it waits
// for is not open yet).
using format_step = std::function<bool(format_page& page)>;

class format_sheet : public property_sheet {
public:
    explicit format_sheet(settings& target) : page(target) { add_page(&page); }
    INT_PTR run_steps(std::vector<format_step> steps);

    format_page page;
};

class format_page_test : public ::testing::Test {
protected:
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};

// Steps.
format_step select_window(int window);
format_step select_font_name(const std::string& name);
format_step click(int id);
format_step click_check_box(int id);
format_step press_ok();
format_step press_cancel();
format_step in_colour_dialog(int button_id);
format_step observe(std::function<void(format_page& page)> look);

// The colour dialog open in this thread, or nullptr.
HWND open_colour_dialog();
// The text shown by a combo box (its selected entry).
std::string combo_text(HWND page, int id);
