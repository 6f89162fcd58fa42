// The calculator moved to a monitor of another DPI. Wine has one DPI for all
// monitors, so the move is WM_DPICHANGED sent in-process, and what the window
// shows at the new DPI is compared with what a start at that DPI derives.
#include <gtest/gtest.h>

#include "app/placement.h"
#include "app/window_layout.h"
#include "calculator_window_fixture.h"
#include "ui/font.h"
#include "ui/monitor_dpi.h"

namespace {

struct measured_geometry {
    int grip = 0;
    int answer_height = 0;
    LONG editor_font_height = 0;
    LONG answer_font_height = 0;
    window_size minimum;
};

// The height a field at the DPI has: its font's cell and the room around it.
int field_height(const char* face, int points, int dpi) {
    font made;
    made.create_point_font_at_dpi(face, points, dpi);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, made.handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(metrics.tmHeight) + dpi_scale{dpi}(6);
}

LONG font_height(HWND control) {
    LOGFONTA logical{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof logical, &logical);
    return logical.lfHeight;
}

class monitor_dpi_test : public calculator_window_fixture {
protected:
    measured_geometry measure() {
        measured_geometry g;
        RECT editor{};
        RECT answer{};
        GetWindowRect(editor_handle(), &editor);
        GetWindowRect(answer_handle(), &answer);
        POINT origin{editor.left, editor.top};
        ScreenToClient(calculator->handle(), &origin);
        g.grip = origin.x;
        g.answer_height = answer.bottom - answer.top;
        g.editor_font_height = font_height(editor_handle());
        g.answer_font_height = font_height(answer_handle());
        MINMAXINFO limits{};
        SendMessageA(calculator->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        g.minimum = {static_cast<int>(limits.ptMinTrackSize.x), static_cast<int>(limits.ptMinTrackSize.y)};
        return g;
    }

    // What a start at the DPI derives, from the settings' fonts.
    measured_geometry expected_at(int dpi) {
        const settings& s = calculator->current_settings();
        const dpi_scale scale{dpi};
        measured_geometry g;
        g.grip = scale(GRIP_WIDTH);
        g.answer_height = field_height(s.ans_font_name.c_str(), s.ans_font_size, dpi);
        g.editor_font_height = -MulDiv(s.exp_font_size, dpi, 72);
        g.answer_font_height = -MulDiv(s.ans_font_size, dpi, 72);
        g.minimum = minimum_tracking_size(system_metric_for_dpi(SM_CXFRAME, dpi),
                                          field_height(s.exp_font_name.c_str(), s.exp_font_size, dpi),
                                          g.answer_height, scale);
        return g;
    }

    void change_dpi(int dpi, RECT suggested) {
        SendMessageA(calculator->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    void expect_geometry(const measured_geometry& got, const measured_geometry& want, int dpi) {
        EXPECT_EQ(got.grip, want.grip) << dpi;
        EXPECT_EQ(got.answer_height, want.answer_height) << dpi;
        EXPECT_EQ(got.editor_font_height, want.editor_font_height) << dpi;
        EXPECT_EQ(got.answer_font_height, want.answer_font_height) << dpi;
        EXPECT_EQ(got.minimum, want.minimum) << dpi;
    }
};

TEST_F(monitor_dpi_test, a_new_dpi_rescales_the_window_as_a_start_there_would_and_back) {
    start();
    const int start_dpi = calculator->list_dpi();
    const measured_geometry at_start = measure();
    for (const int dpi : {144, 192, start_dpi}) {
        change_dpi(dpi, RECT{40, 50, 40 + 3 * dpi, 50 + dpi});
        expect_geometry(measure(), expected_at(dpi), dpi);
        RECT now{};
        GetWindowRect(calculator->handle(), &now);
        // The suggested place and width; the height fits the new fonts.
        EXPECT_EQ(now.left, 40);
        EXPECT_EQ(now.top, 50);
        EXPECT_EQ(now.right - now.left, 3 * dpi);
    }
    expect_geometry(measure(), at_start, start_dpi);
}

TEST_F(monitor_dpi_test, the_hotkey_lays_the_window_out_for_the_caret_monitor_before_showing_it) {
    start();
    static int monitor_dpi = 144;
    set_monitor_dpi_source([](HMONITOR) { return monitor_dpi; });
    HWND target = CreateWindowExA(0, "STATIC", "", WS_POPUP, 300, 300, 200, 100, nullptr, nullptr, nullptr,
                                  nullptr);
    place_window(calculator->handle(), 0, target, POINT{10, 10});
    set_monitor_dpi_source(nullptr);
    DestroyWindow(target);
    EXPECT_FALSE(IsWindowVisible(calculator->handle()));
    EXPECT_EQ(calculator->list_dpi(), 144);
    expect_geometry(measure(), expected_at(144), 144);
}

} // namespace
