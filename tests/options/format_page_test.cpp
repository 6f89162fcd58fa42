// The format page in a real property sheet: what it shows for each window, how
// its colour buttons are drawn, and what reaches the settings on OK and Cancel.
#include <windows.h>
#include <commctrl.h>

#include <set>

#include "format_sheet_runner.h"
#include "options/colour_dialog.h"
#include "support/sjis.h"
#include "ui/text.h"

namespace {

bool shown(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }
bool enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

// -------------------------------------------------- the controls per window

struct window_case {
    const char* name;
    int window;
    bool font_group;     // 1038-1041 shown, the icon group hidden
    bool text_colour;    // 1044, 1002 enabled
    bool result_colours; // 1042, 1003, 1043, 1004 enabled
    bool fixed_size;     // 1032 enabled
};

class format_page_windows : public format_page_test, public ::testing::WithParamInterface<window_case> {};

TEST_P(format_page_windows, show_and_enable_the_controls_of_the_chosen_window) {
    const window_case& c = GetParam();
    settings target;
    format_sheet sheet(target);
    std::string font, size;
    sheet.run_steps({select_window(c.window), format_step([&](format_page& page) {
                         HWND p = page.handle();
                         EXPECT_EQ(c.window, page.shown_window());
                         for (int id : {1038, 1039, 1040, 1041})
                             EXPECT_EQ(c.font_group, shown(p, id)) << id;
                         for (int id : {1037, 1035, 1036})
                             EXPECT_EQ(!c.font_group, shown(p, id)) << id;
                         for (int id : {1044, 1002})
                             EXPECT_EQ(c.text_colour, enabled(p, id)) << id;
                         for (int id : {1042, 1003, 1043, 1004})
                             EXPECT_EQ(c.result_colours, enabled(p, id)) << id;
                         EXPECT_EQ(c.fixed_size, enabled(p, 1032));
                         EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(p, 1006)) << "flat";
                         font = combo_text(p, 1039);
                         size = combo_text(p, 1040);
                     }),
                     press_sheet_cancel()});
    if (c.font_group) {
        EXPECT_EQ(sjis("ＭＳ ゴシック"), font);
        EXPECT_EQ("10", size);
    }
}

INSTANTIATE_TEST_SUITE_P(fresh_settings, format_page_windows,
                         ::testing::Values(window_case{"main_window", 0, false, false, false, true},
                                           window_case{"editor", 1, true, true, false, false},
                                           window_case{"answer_window", 2, true, true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// -------------------------------------------------- the colour buttons

struct drawn_button {
    COLORREF face; // at the middle of the left edge, inside the border
    bool white_text = false;
    bool black_text = false;
};

// Draws the button of the slot through the page's own owner drawing into a
// bitmap, as the button would ask for it.
drawn_button draw_button(format_page& page, int slot, UINT state) {
    const int width = 60, height = 20;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HGDIOBJ old_font = SelectObject(dc,
                                    reinterpret_cast<HFONT>(SendMessageA(page.handle(), WM_GETFONT, 0, 0)));

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(1000 + slot);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = GetDlgItem(page.handle(), 1000 + slot);
    item.hDC = dc;
    item.rcItem = {0, 0, width, height};
    SendMessageA(page.handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));

    drawn_button drawn{GetPixel(dc, 2, height / 2)}; // inside the edge, outside the focus
    for (int y = 3; y < height - 3; ++y) {
        for (int x = 5; x < width - 5; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            drawn.white_text |= pixel == RGB(255, 255, 255) && drawn.face != pixel;
            drawn.black_text |= pixel == RGB(0, 0, 0) && drawn.face != pixel;
        }
    }
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

enum class label { none, white, black };

struct button_case {
    int window;
    int slot;
    UINT state;
    COLORREF face; // a system colour: its index + 0x80000000
    label text;
};

constexpr COLORREF system_colour(int index) { return 0x80000000u | static_cast<COLORREF>(index); }

// One sheet over settings with two chosen colours (the answer window's
// background, the editor's frame); every other colour is automatic.
TEST_F(format_page_test, colour_buttons_show_their_colour_or_its_automatic_substitute) {
    const button_case cases[] = {
        {0, 0, 0, system_colour(COLOR_BTNFACE), label::black},   // main background
        {0, 1, 0, system_colour(COLOR_BTNSHADOW), label::black}, // main frame
        {0, 2, ODS_DISABLED, system_colour(COLOR_BTNFACE), label::none},
        {1, 0, 0, system_colour(COLOR_WINDOW), label::black}, // the editor's background
        {1, 1, 0, 0x102030, label::none},                     // chosen: no label
        {1, 2, 0, system_colour(COLOR_BTNTEXT), label::white},
        {2, 0, ODS_SELECTED, RGB(0, 0xC0, 0), label::none}, // chosen, pressed
        {2, 3, 0, RGB(0, 0, 255), label::white},
        {2, 4, ODS_FOCUS, RGB(255, 0, 0), label::white},
    };
    settings target;
    target.ans_back_color = RGB(0, 0xC0, 0);
    target.exp_frame_color = 0x102030;
    format_sheet sheet(target);
    std::vector<format_step> steps;
    for (const button_case& c : cases) {
        steps.push_back(select_window(c.window));
        steps.push_back(format_step([c](format_page& page) {
            const drawn_button drawn = draw_button(page, c.slot, c.state);
            const COLORREF face = c.face & 0x80000000u ? GetSysColor(static_cast<int>(c.face & 0xFF))
                                                       : c.face;
            const std::string where = "window " + std::to_string(c.window) + " slot " +
                                      std::to_string(c.slot);
            EXPECT_EQ(face, drawn.face) << where;
            EXPECT_EQ(c.text == label::white, drawn.white_text) << where;
            EXPECT_EQ(c.text == label::black, drawn.black_text) << where;
        }));
    }
    steps.push_back(press_sheet_cancel());
    sheet.run_steps(steps);
}

// -------------------------------------------------- the colour dialog

struct colour_click_case {
    const char* name;
    int dialog_button;
    std::int32_t stored;
    std::int32_t result;
};

class format_page_colour_click : public format_page_test,
                                 public ::testing::WithParamInterface<colour_click_case> {};

TEST_P(format_page_colour_click, sets_the_button_colour_only_when_a_colour_is_chosen) {
    const colour_click_case& c = GetParam();
    settings target;
    target.main_back_color = c.stored;
    format_sheet sheet(target);
    std::int32_t shown = 0;
    sheet.run_steps({post_click(1000), in_colour_dialog(c.dialog_button),
                     format_step([&](format_page& page) { shown = page.current_colour(0); }),
                     press_sheet_ok()});
    EXPECT_EQ(nullptr, open_colour_dialog());
    EXPECT_EQ(c.result, shown);
    EXPECT_EQ(c.result, target.main_back_color);
}

INSTANTIATE_TEST_SUITE_P(
    cases, format_page_colour_click,
    ::testing::Values(colour_click_case{"automatic_button", 1046, 0x123456, AUTO_COLOR},
                      colour_click_case{"cancel", IDCANCEL, 0x123456, 0x123456},
                      colour_click_case{"ok_takes_the_dialog_colour", IDOK, 0x123456, 0x123456},
                      colour_click_case{"ok_on_automatic_takes_its_substitute", IDOK, AUTO_COLOR,
                                        static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE))}),
    [](const auto& info) { return std::string(info.param.name); });

// -------------------------------------------------- font sizes

struct size_case {
    std::int32_t stored;
    const char* selected;
};

class format_page_sizes : public format_page_test, public ::testing::WithParamInterface<size_case> {};

TEST_P(format_page_sizes, select_the_first_size_at_least_the_stored_one) {
    settings target;
    target.ans_font_size = GetParam().stored;
    format_sheet sheet(target);
    std::string selected;
    int entries = 0;
    sheet.run_steps({select_window(2), format_step([&](format_page& page) {
                         selected = combo_text(page.handle(), 1040);
                         entries = static_cast<int>(
                             SendDlgItemMessageA(page.handle(), 1040, CB_GETCOUNT, 0, 0));
                     }),
                     press_sheet_cancel()});
    EXPECT_EQ(GetParam().selected, selected);
    EXPECT_EQ(16, entries);
}

INSTANTIATE_TEST_SUITE_P(stored, format_page_sizes,
                         ::testing::Values(size_case{13, "14"}, size_case{100, "72"}, size_case{10, "10"},
                                           size_case{1, "8"}));

// -------------------------------------------------- font names

// Every horizontal face the system reports is listed exactly once, faces
// whose name begins another one included.
TEST_F(format_page_test, font_list_holds_every_face_once) {
    std::set<std::string> reported;
    HDC screen = GetDC(nullptr);
    LOGFONTA every{};
    every.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(
        screen, &every,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
            std::string name(font->lfFaceName);
            if (!name.empty() && name[0] != '@')
                reinterpret_cast<std::set<std::string>*>(names)->insert(name);
            return 1;
        },
        reinterpret_cast<LPARAM>(&reported), 0);
    ReleaseDC(nullptr, screen);

    settings target;
    format_sheet sheet(target);
    std::multiset<std::string> listed;
    sheet.run_steps({format_step([&](format_page& page) {
                         HWND list = GetDlgItem(page.handle(), 1039);
                         auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
                         for (int i = 0; i < count; ++i) {
                             char name[LF_FULLFACESIZE + 1] = "";
                             if (SendMessageA(list, CB_GETLBTEXTLEN, i, 0) <= LF_FULLFACESIZE)
                                 SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
                             listed.insert(name);
                         }
                     }),
                     press_sheet_cancel()});
    EXPECT_EQ(std::multiset<std::string>(reported.begin(), reported.end()), listed);
    EXPECT_EQ(1u, listed.count(sjis("ＭＳ ゴシック")));
    // A face whose name begins another's is there besides the longer one.
    int prefix_pairs = 0;
    for (const std::string& shorter : reported) {
        for (const std::string& longer : reported) {
            if (longer.size() > shorter.size() && longer.compare(0, shorter.size(), shorter) == 0) {
                ++prefix_pairs;
                EXPECT_EQ(1u, listed.count(shorter));
                EXPECT_EQ(1u, listed.count(longer));
            }
        }
    }
    if (prefix_pairs == 0)
        GTEST_SKIP() << "no installed face name begins another: the prefix case is not covered here";
}

// -------------------------------------------------- the icon file

// The chooser's file name goes into the icon edit and, on OK, into the
// settings.
TEST_F(format_page_test, chosen_icon_file_fills_the_icon_edit) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string icon = std::string(folder) + "tarvik_format_page_test.ico";
    CloseHandle(CreateFileA(icon.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    settings target;
    format_sheet sheet(target);
    std::string shown;
    sheet.run_steps({post_click(1036),
                     [&](format_page&) {
                         HWND chooser = FindWindowA(nullptr, sjis("アイコンファイルの選択").c_str());
                         ASSERT_NE(nullptr, chooser);
                         SetDlgItemTextA(chooser, 1148, icon.c_str()); // the file name box
                         SendMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
                     },
                     format_step([&](format_page& page) {
                         char text[MAX_PATH] = "";
                         GetDlgItemTextA(page.handle(), 1035, text, MAX_PATH);
                         shown = text;
                     }),
                     press_sheet_ok()});
    DeleteFileA(icon.c_str());
    EXPECT_EQ(icon, shown);
    EXPECT_EQ(icon, target.main_icon_file);
}

// -------------------------------------------------- OK and Cancel

struct round_trip_case {
    const char* name;
    bool confirm;
};

class format_page_round_trip : public format_page_test,
                               public ::testing::WithParamInterface<round_trip_case> {};

// The editor's face and frame style are changed, the user moves to the answer
// window and back (the change is still shown), changes the main window's
// fixed size and icon, and ends the sheet.
TEST_P(format_page_round_trip, ok_writes_the_working_copy_and_cancel_discards_it) {
    const std::string other_face = sjis("IPA Pゴシック");
    settings target;
    target.ans_font_size = 12;
    const settings before = target;
    format_sheet sheet(target);
    std::string face_after_switch, size_after_switch;
    sheet.run_steps({select_window(1), select_font_name(other_face), click_check_box(1007), select_window(2),
                     format_step([&](format_page& page) {
                         EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page.handle(), 1006));
                         EXPECT_EQ("12", combo_text(page.handle(), 1040));
                     }),
                     select_window(1), format_step([&](format_page& page) {
                         face_after_switch = combo_text(page.handle(), 1039);
                         size_after_switch = combo_text(page.handle(), 1040);
                         EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page.handle(), 1007));
                     }),
                     select_window(0), click_check_box(1032), format_step([](format_page& page) {
                         SetDlgItemTextA(page.handle(), 1035, "C:\\icons\\calc.ico");
                     }),
                     GetParam().confirm ? press_sheet_ok() : press_sheet_cancel()});
    EXPECT_EQ(other_face, face_after_switch);
    EXPECT_EQ("10", size_after_switch);

    settings expected = before;
    if (GetParam().confirm) {
        expected.exp_font_name = other_face;
        expected.exp_frame_style = 1;
        expected.disable_resize = true;
        expected.main_icon_file = "C:\\icons\\calc.ico";
    }
    EXPECT_TRUE(expected == target);
    EXPECT_EQ(expected.exp_font_name, target.exp_font_name);
    EXPECT_EQ(expected.exp_frame_style, target.exp_frame_style);
}

INSTANTIATE_TEST_SUITE_P(endings, format_page_round_trip,
                         ::testing::Values(round_trip_case{"ok", true}, round_trip_case{"cancel", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
