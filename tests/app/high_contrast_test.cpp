// A high-contrast theme switched on and off while the calculator runs: the
// answer display shows the theme's colours in place of the user's, and the
// user's again afterwards. The mapping itself is tested portably.
#include <gtest/gtest.h>

#include <utility>

#include "calculator_window_fixture.h"
#include "ui/high_contrast.h"

namespace {

constexpr colour_value USER_BACKGROUND = rgb(200, 30, 30);

bool stand_in_on = false;

// Through the system where it keeps the theme's state; Wine does not, and
// the program's source of the state stands in for it there.
bool switch_high_contrast(bool on) {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    contrast.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
    if (SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0))
        return true;
    stand_in_on = on;
    set_high_contrast_source(on ? +[] { return stand_in_on; } : nullptr);
    return high_contrast_on() == on;
}

class high_contrast_test : public calculator_window_fixture {
protected:
    void TearDown() override {
        switch_high_contrast(false);
        calculator_window_fixture::TearDown();
    }

    // Told as the system tells every window when the theme changes.
    void announce() {
        SendMessageA(calculator->handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        RedrawWindow(calculator->handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump_messages();
    }

    // What the screen shows of the answer display: its frame's top left
    // pixel and a pixel of its background left of the right-aligned text.
    std::pair<colour_value, colour_value> shown_frame_and_background() {
        HWND answer = answer_handle();
        HDC dc = GetWindowDC(answer);
        const colour_value frame = GetPixel(dc, 0, 0);
        const colour_value background = GetPixel(dc, 4, 4);
        ReleaseDC(answer, dc);
        return {frame, background};
    }
};

TEST_F(high_contrast_test, the_theme_colours_replace_the_users_while_it_is_on) {
    start([](settings& s) {
        s.ans_back_color = static_cast<std::int32_t>(USER_BACKGROUND);
        s.ans_frame_style = 2;
    });
    ShowWindow(calculator->handle(), SW_SHOWNA);
    announce();
    EXPECT_EQ(shown_frame_and_background().second, USER_BACKGROUND);

    ASSERT_TRUE(switch_high_contrast(true));
    announce();
    EXPECT_EQ(shown_frame_and_background(),
              std::make_pair(colour_value{GetSysColor(COLOR_WINDOWTEXT)}, colour_value{GetSysColor(COLOR_WINDOW)}));

    ASSERT_TRUE(switch_high_contrast(false));
    announce();
    EXPECT_EQ(shown_frame_and_background().second, USER_BACKGROUND);
}

} // namespace
