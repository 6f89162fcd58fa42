// Changes reach their files while the calculator runs: each change starts the
// save timer, whose tick writes the file; typing alone never writes.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "calculator_window_fixture.h"
#include "ui/program_resources.h"

namespace {

// A change and the text its file holds afterwards (or no longer holds).
struct change_case {
    const char* name;
    std::function<void(main_window&)> change;
    const char* file;
    const char* text;
    bool removed = false;
};

int WINAPI answer_yes(HWND, LPCSTR, LPCSTR, UINT) { return IDYES; }

void type(main_window& calculator, const char* text) {
    SendMessageA(child_edit(calculator.handle(), false), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void commit(main_window& calculator, const char* text) {
    type(calculator, text);
    calculator.commit();
}

class saving : public calculator_window_fixture, public testing::WithParamInterface<change_case> {
protected:
    void tick() { SendMessageA(calculator->handle(), WM_TIMER, data_files::SAVE_TIMER, 0); }
};

TEST_P(saving, writes_the_change_when_the_timer_fires) {
    const change_case& c = GetParam();
    {
        std::ofstream(directory + "var.txt", std::ios::binary) << "gone = 4\r\nkept = 5\r\n";
    }
    start();
    const std::string path = directory + c.file;
    const message_box_function previous = set_message_box_function(answer_yes);
    c.change(*calculator);
    set_message_box_function(previous);
    const auto holds_text = [&] { return file_contents(path).find(c.text) != std::string::npos; };
    EXPECT_EQ(holds_text(), c.removed) << "saved before the timer";
    tick();
    EXPECT_EQ(holds_text(), !c.removed) << file_contents(path);
}

INSTANTIATE_TEST_SUITE_P(
    changes, saving,
    testing::Values(
        change_case{"commit", [](main_window& w) { commit(w, "1+2"); }, "history.txt", "1+2 = 3\r\n"},
        change_case{"assignment", [](main_window& w) { commit(w, "small=1e-5"); }, "var.txt", "small = 1e-05\r\n"},
        change_case{"deletion",
                    [](main_window& w) { w.delete_list_entries(w.handle(), variable_list, 1, false); }, "var.txt",
                    "gone = 4", true},
        change_case{"angle_menu", [](main_window& w) { SendMessageA(w.handle(), WM_COMMAND, IDM_RADIAN, 0); },
                    "Tarvik.ini", "Angle Mode=1"},
        change_case{"answer_menu", [](main_window& w) { SendMessageA(w.handle(), WM_COMMAND, IDM_HEX, 0); },
                    "Tarvik.ini", "Answer Mode=4"},
        change_case{"topmost_menu",
                    [](main_window& w) { SendMessageA(w.handle(), WM_COMMAND, IDM_TOPMOST, 0); }, "Tarvik.ini",
                    "Show Top=Yes"}),
    [](const testing::TestParamInfo<change_case>& parameter) { return std::string(parameter.param.name); });

// The live preview of each keystroke changes no file, even when the timer
// fires for another reason.
TEST_F(saving, typing_never_writes) {
    start();
    commit(*calculator, "1+2");
    tick();
    const std::string history = file_contents(directory + "history.txt");
    const std::string variables = file_contents(directory + "var.txt");
    type(*calculator, "x=9");
    tick();
    EXPECT_EQ(file_contents(directory + "history.txt"), history);
    EXPECT_EQ(file_contents(directory + "var.txt"), variables);
}

} // namespace
