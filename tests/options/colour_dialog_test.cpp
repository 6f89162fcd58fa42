// The colour dialog on the program's template, run for real and ended by its
// buttons: the automatic button must close it under every implementation.
#include <windows.h>

#include "format_sheet_runner.h"
#include "options/colour_dialog.h"
#include "support/sjis.h"

namespace {

int button_to_press = 0;
bool pressed = false;
bool automatic_button_found = false;

void CALLBACK press_in_colour_dialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = open_colour_dialog();
    if (!dialog || pressed)
        return;
    pressed = true;
    automatic_button_found = GetDlgItem(dialog, 1046) != nullptr;
    SendMessageA(GetDlgItem(dialog, button_to_press), BM_CLICK, 0, 0);
}

struct dialog_case {
    const char* name;
    int button;
    bool chosen;
    std::int32_t result;
};

class colour_dialog_run : public format_page_test, public ::testing::WithParamInterface<dialog_case> {};

TEST_P(colour_dialog_run, ends_with_the_button_pressed) {
    const dialog_case& c = GetParam();
    button_to_press = c.button;
    pressed = false;
    automatic_button_found = false;
    std::int32_t colour = 0x00FF00;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, press_in_colour_dialog);
    // A dialog that ignored the button would never return; the test run's
    // time limit catches that.
    bool chosen = choose_colour(nullptr, colour);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(automatic_button_found);
    EXPECT_EQ(c.chosen, chosen);
    EXPECT_EQ(c.result, colour);
    EXPECT_EQ(nullptr, open_colour_dialog());
}

INSTANTIATE_TEST_SUITE_P(buttons, colour_dialog_run,
                         ::testing::Values(dialog_case{"automatic", 1046, true, AUTO_COLOR},
                                           dialog_case{"ok", IDOK, true, 0x00FF00},
                                           dialog_case{"cancel", IDCANCEL, false, 0x00FF00}),
                         [](const auto& info) { return std::string(info.param.name); });

// The hook handles the automatic button only; every other message is the
// dialog's.
TEST(colour_dialog_hook, leaves_other_messages_to_the_dialog) {
    EXPECT_EQ(0u, colour_dialog_hook(nullptr, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(0u, colour_dialog_hook(nullptr, WM_COMMAND, MAKEWPARAM(1046, EN_CHANGE), 0));
    EXPECT_EQ(0u, colour_dialog_hook(nullptr, WM_INITDIALOG, 1046, 0));
}

} // namespace
