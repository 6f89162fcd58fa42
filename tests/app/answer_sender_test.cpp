#include "app/answer_sender.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/clipboard_text.h"
#include "app/main_window.h"
#include "calculator_window_fixture.h"
#include "foreign_editor.h"
#include "options/settings_file.h"
#include "support/sjis.h"
#include "ui/application.h"

namespace {

// The bytes a receiving window got as WM_CHAR, in order.
std::string received;

LRESULT CALLBACK collect_characters(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CHAR) {
        EXPECT_EQ(lparam, 0);
        EXPECT_LE(wparam, 0xFFu);
        received.push_back(static_cast<char>(wparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND new_collector() {
    static const bool registered = [] {
        WNDCLASSA type{};
        type.lpfnWndProc = collect_characters;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "tarvik_test_collector";
        return RegisterClassA(&type) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "tarvik_test_collector", "collector", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Holds Shift down (in this thread's keyboard state) for its lifetime.
class shift_held {
public:
    explicit shift_held(bool down) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = down ? 0x80 : 0;
        state[VK_LSHIFT] = state[VK_SHIFT];
        SetKeyboardState(state);
    }
    ~shift_held() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

struct send_case {
    const char* name;
    std::function<void(settings&)> tweak;
    const char* expression;
    bool shift;
    const char* sent;
};

class send_fixture : public calculator_window_fixture {
protected:

    void start(const std::function<void(settings&)>& tweak) {
        calculator_window_fixture::start([&](settings& record) {
            record.hotkey = 0; // no global hotkey needed here
            record.after_send = 2;
            if (tweak)
                tweak(record);
        });
        ShowWindow(calculator->handle(), SW_SHOW);
        SetForegroundWindow(calculator->handle());
    }

    // The hotkey pressed in another application: its focused edit control is
    // where the answer goes.
    void come_from_another_application() {
        other = std::make_unique<foreign_editor>(100, 500);
        other->activate();
        ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == other->frame(); }));
        SendMessageA(calculator->handle(), WM_HOTKEY, 0, MAKELPARAM(MOD_ALT, VK_SPACE));
        ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == calculator->handle(); }));
    }

    void enter() { SendMessageA(editor_handle(), WM_CHAR, '\r', 0x001C0001); }
    void commit(const char* text) {
        SetWindowTextA(editor_handle(), text);
        enter();
    }

    std::unique_ptr<foreign_editor> other;
};

class sending : public send_fixture, public testing::WithParamInterface<send_case> {};

template <typename Case>
std::string case_name(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

TEST_P(sending, a_second_enter_types_the_answer_into_the_target) {
    const send_case& c = GetParam();
    start(c.tweak);
    come_from_another_application();
    commit(c.expression);
    ASSERT_EQ(calculator->current_answer_state(), committed);
    EXPECT_EQ(other->received(), "");
    {
        shift_held shift(c.shift);
        enter();
    }
    EXPECT_EQ(other->received(), c.sent);
    EXPECT_EQ(calculator->current_answer_state(), committed);
    EXPECT_EQ(history_rows().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    desktop, sending,
    testing::Values(
        send_case{"answer_alone", {}, "1+2", false, "3"},
        send_case{"with_expression", [](settings& s) { s.send_exp = true; }, "1+2", false, "1+2=3"},
        send_case{"shift_adds_the_expression", {}, "1+2", true, "1+2=3"},
        send_case{"shift_leaves_the_expression_out", [](settings& s) { s.send_exp = true; }, "1+2", true,
                  "3"},
        send_case{"hexadecimal_as_shown", [](settings& s) { s.answer_mode = 4; }, "255", false, "0xFF"},
        send_case{"grouping_commas_as_shown", [](settings& s) { s.comma = true; }, "1234*1000", false,
                  "1,234,000"},
        // The expression goes as typed, even when the history
        // keeps it with Ans replaced.
        send_case{"expression_as_typed", [](settings& s) { s.send_exp = true; }, "ans+2", false, "ans+2=2"},
        send_case{"sending_off", [](settings& s) { s.send_ans = false; }, "1+2", false, ""}),
    case_name<send_case>);

TEST_F(send_fixture, every_further_enter_sends_again) {
    start({});
    come_from_another_application();
    commit("6*7");
    enter();
    enter();
    EXPECT_EQ(other->received(), "4242");
}

TEST_F(send_fixture, without_a_hotkey_press_nothing_is_sent) {
    other = std::make_unique<foreign_editor>(100, 500);
    start([](settings& s) { s.after_send = 0; });
    commit("1+2");
    enter();
    EXPECT_EQ(other->received(), "");
    EXPECT_TRUE(IsWindowVisible(calculator->handle()));
}

struct after_send_case {
    const char* name;
    std::int32_t after_send;
    bool calculator_visible;
    bool target_in_front;
};

class after_sending : public send_fixture, public testing::WithParamInterface<after_send_case> {};

TEST_P(after_sending, hides_activates_or_leaves_the_calculator) {
    const after_send_case& c = GetParam();
    start([&](settings& s) { s.after_send = c.after_send; });
    come_from_another_application();
    commit("1+2");
    enter();
    EXPECT_EQ(other->received(), "3");
    EXPECT_EQ(IsWindowVisible(calculator->handle()) != FALSE, c.calculator_visible);
    if (c.target_in_front) {
        EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == other->frame(); }));
    } else if (c.calculator_visible) {
        EXPECT_EQ(GetForegroundWindow(), calculator->handle());
    }
}

INSTANTIATE_TEST_SUITE_P(desktop, after_sending,
                         testing::Values(after_send_case{"hide", 0, false, false},
                                         after_send_case{"activate", 1, true, true},
                                         after_send_case{"nothing", 2, true, false},
                                         after_send_case{"out_of_range_activates", 9, true, true}),
                         case_name<after_send_case>);

// Double-byte characters go as two messages, lead byte first.
TEST(send_answer, posts_each_byte_of_double_byte_characters_in_order) {
    received.clear();
    HWND collector = new_collector();
    const std::string expression = sjis("円x");
    HWND editor = CreateWindowExA(0, "STATIC", expression.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND answer = CreateWindowExA(0, "STATIC", "1,000", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    answer_delivery delivery;
    delivery.editor = editor;
    delivery.answer = answer;
    delivery.send_target = collector;
    delivery.send_exp = true;
    delivery.after_send = 2;
    send_answer(delivery);
    pump_messages();
    EXPECT_EQ(received, expression + "=1,000");
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(received[0]), 0x89); // 円 is 0x89 0x7E
    EXPECT_EQ(static_cast<unsigned char>(received[1]), 0x7E);
    DestroyWindow(editor);
    DestroyWindow(answer);
    DestroyWindow(collector);
}

// A target that has gone takes nothing: the whole text goes to the
// clipboard instead, and the calculator is neither hidden nor moved back.
TEST(send_answer, a_destroyed_target_leaves_the_text_on_the_clipboard) {
    HWND gone = new_collector();
    DestroyWindow(gone);
    HWND calculator = new_collector();
    HWND editor = CreateWindowExA(0, "STATIC", "6*7", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    HWND answer = CreateWindowExA(0, "STATIC", "42", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    answer_delivery delivery;
    delivery.calculator = calculator;
    delivery.editor = editor;
    delivery.answer = answer;
    delivery.send_target = gone;
    delivery.send_exp = true;
    delivery.after_send = 0;
    EXPECT_EQ(send_answer(delivery), send_result::copied);
    EXPECT_EQ(clipboard_text(nullptr), "6*7=42");
    EXPECT_TRUE(IsWindowVisible(calculator));
    for (HWND window : {editor, answer, calculator})
        DestroyWindow(window);
}

TEST_F(send_fixture, a_sending_that_cannot_arrive_is_said_in_the_answer_field) {
    start([](settings& s) { s.after_send = 0; });
    come_from_another_application();
    other.reset(); // the application has closed meanwhile
    commit("6*7");
    enter();
    pump_messages();
    EXPECT_EQ(clipboard_text(nullptr), "42");
    char shown[256] = {};
    GetWindowTextA(answer_handle(), shown, sizeof shown);
    EXPECT_EQ(std::string(shown), sjis("送れず、クリップボードにコピー済み"));
    EXPECT_TRUE(IsWindowVisible(calculator->handle()));
    // Enter sends nothing more (least of all the message) until an edit.
    EXPECT_EQ(calculator->current_answer_state(), eval_failed);
}

} // namespace
