#include "app/answer_display.h"
#include "options/settings.h"
#include "resources/resource.h"
#include "ui/application.h"
#include "ui/draw_frame.h"
#include "ui/framed_edit.h"
#include "ui/window_procedure.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

#include <string>
#include <vector>

namespace {

constexpr const char* PARENT_CLASS = "framed_controls_test_parent";

// Stands in for the main window: it says which colour frames are shaded from,
// collects the keys the answer display hands on and forwards colour requests
// the way the main window does.
class test_parent : public window, public frame_shade_source, public answer_display_owner {
public:
    colour_value shade_base = rgb(255, 255, 255);
    std::vector<UINT> keys;
    framed_edit* editor = nullptr;
    answer_display* display = nullptr;

    colour_value frame_shade_base() const override { return shade_base; }
    void display_key_down(UINT virtual_key, UINT, UINT) override { keys.push_back(virtual_key); }

    HBRUSH on_ctl_color_edit(HDC dc, HWND control) override {
        if (editor && control == editor->handle())
            return editor->ctl_colour(dc);
        return window::on_ctl_color_edit(dc, control);
    }
    HBRUSH on_ctl_color_static(HDC dc, HWND control) override {
        if (display && control == display->handle())
            return display->ctl_colour(dc);
        return window::on_ctl_color_static(dc, control);
    }
};

// A parent that does not say anything about its background.
class plain_parent : public window {};

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

framed_edit::look editor_look() {
    return {rgb(255, 255, 255), rgb(0, 0, 0), GetSysColor(COLOR_BTNSHADOW), FRAME_FLAT, "Arial", 9};
}

std::string clipboard_text() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return "<clipboard not available>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    } else {
        text = "<no text>";
    }
    CloseClipboard();
    return text;
}

void empty_clipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::pair<DWORD, DWORD> selection_of(HWND control) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

framed_edit::look display_look() {
    return {GetSysColor(COLOR_BTNFACE), rgb(0, 0, 0), GetSysColor(COLOR_BTNSHADOW), FRAME_FLAT, nullptr, 9};
}

// One parent with both controls for a whole test suite: under Wine without a
// window manager, hiding or destroying a shown top-level window waits two
// seconds for the X server.
struct shared_windows {
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    test_parent parent;
    framed_edit editor{editor_look()};
    answer_display display{parent};

    shared_windows() {
        register_class(PARENT_CLASS, 0, nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        if (!parent.create(0, PARENT_CLASS, "framed", WS_POPUP | WS_VISIBLE, 40, 40, 360, 220, nullptr,
                           nullptr))
            return;
        editor.create_control(0, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 20, 240, 40, parent.handle(),
                              nullptr);
        display.create(parent.handle());
        ShowWindow(display.handle(), SW_SHOW);
        parent.editor = &editor;
        parent.display = &display;
    }
    ~shared_windows() {
        if (parent.handle())
            DestroyWindow(parent.handle());
        pump_messages();
    }
    shared_windows(const shared_windows&) = delete;
    shared_windows& operator=(const shared_windows&) = delete;
};

class framed_controls : public testing::Test {
protected:
    static void SetUpTestSuite() { windows_ = new shared_windows; }
    static void TearDownTestSuite() {
        delete windows_;
        windows_ = nullptr;
    }

    // Every test starts from the look the controls are constructed with.
    void SetUp() override {
        ASSERT_NE(editor_.handle(), nullptr);
        ASSERT_NE(display_.handle(), nullptr);
        parent_.shade_base = rgb(255, 255, 255);
        parent_.keys.clear();
        reset(editor_, editor_look(), "Arial");
        reset(display_, display_look(), "HGP創英角ﾎﾟｯﾌﾟ体");
        MoveWindow(editor_.handle(), 20, 20, 240, 40, TRUE);
        MoveWindow(display_.handle(), 20, 100, 240, 40, TRUE);
        pump_messages();
    }

    static void reset(framed_edit& control, const framed_edit::look& look, const char* face) {
        control.set_background(look.background);
        control.set_text_colour(look.text);
        control.set_frame_colour(look.frame);
        control.set_frame_style(look.frame_style);
        control.set_font(sjis(face).c_str(), look.font_size);
        SetWindowTextA(control.handle(), "");
    }

    // The colours that a WM_CTLCOLOR* request through the parent leaves in a
    // device context, and the colour of the brush it returns.
    struct ctl_colours {
        colour_value background;
        colour_value text;
        colour_value brush;
    };

    ctl_colours ask_colours(UINT message, HWND control) {
        HDC dc = CreateCompatibleDC(nullptr);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            parent_.handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        LOGBRUSH logical{};
        GetObjectA(brush, sizeof logical, &logical);
        ctl_colours result{GetBkColor(dc), GetTextColor(dc), logical.lbColor};
        DeleteDC(dc);
        return result;
    }

    static inline shared_windows* windows_ = nullptr;
    test_parent& parent_ = windows_->parent;
    framed_edit& editor_ = windows_->editor;
    answer_display& display_ = windows_->display;
};

TEST_F(framed_controls, answer_display_is_a_read_only_right_aligned_child_without_id) {
    const LONG style = GetWindowLongA(display_.handle(), GWL_STYLE);
    EXPECT_NE(style & WS_CHILD, 0);
    EXPECT_NE(style & ES_READONLY, 0);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_NE(style & ES_RIGHT, 0);
    EXPECT_NE(style & ES_AUTOHSCROLL, 0);
    EXPECT_NE(GetWindowLongA(display_.handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetDlgCtrlID(display_.handle()), 0);
    EXPECT_EQ(GetParent(display_.handle()), parent_.handle());
}

TEST_F(framed_controls, controls_use_their_own_font) {
    for (const framed_edit* control :
         {static_cast<const framed_edit*>(&editor_), static_cast<const framed_edit*>(&display_)}) {
        ASSERT_NE(control->font_handle(), nullptr);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control->handle(), WM_GETFONT, 0, 0)),
                  control->font_handle());
    }
}

TEST(answer_display_look, starts_in_button_face_with_a_flat_shadow_frame_and_pop_font) {
    struct silent_owner : answer_display_owner {
        void display_key_down(UINT, UINT, UINT) override {}
    } owner;
    const answer_display display(owner);
    EXPECT_EQ(display.background(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(display.text_colour(), rgb(0, 0, 0));
    EXPECT_EQ(display.frame_colour(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(display.frame_style(), FRAME_FLAT);
    EXPECT_EQ(utf8_from_sjis(display.font_face()), "HGP創英角ﾎﾟｯﾌﾟ体");
    EXPECT_EQ(display.font_size(), 9);
}

TEST_F(framed_controls, colour_requests_get_the_controls_colours) {
    editor_.set_background(rgb(250, 240, 200));
    editor_.set_text_colour(rgb(10, 20, 30));
    display_.set_background(rgb(1, 2, 3));
    display_.set_error_colour(rgb(200, 0, 50));

    const ctl_colours edit = ask_colours(WM_CTLCOLOREDIT, editor_.handle());
    EXPECT_EQ(edit.background, rgb(250, 240, 200));
    EXPECT_EQ(edit.text, rgb(10, 20, 30));
    EXPECT_EQ(edit.brush, rgb(250, 240, 200));

    const ctl_colours shown = ask_colours(WM_CTLCOLORSTATIC, display_.handle());
    EXPECT_EQ(shown.background, rgb(1, 2, 3));
    EXPECT_EQ(shown.text, rgb(200, 0, 50));
    EXPECT_EQ(shown.brush, rgb(1, 2, 3));
}

TEST_F(framed_controls, the_read_only_display_asks_for_static_colours_when_painted) {
    display_.set_background(rgb(9, 99, 199));
    SetWindowTextA(display_.handle(), "42");
    RedrawWindow(display_.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(display_.handle());
    const COLORREF inside = GetPixel(dc, 3, 3);
    ReleaseDC(display_.handle(), dc);
    EXPECT_EQ(inside, rgb(9, 99, 199));
}

// Which automatic colour each setter substitutes for AUTO_COLOR (-1).
struct automatic_case {
    const char* name;
    void (framed_edit::*setter)(colour_value);
    colour_value (framed_edit::*getter)() const;
    bool on_display;   // the read-only answer display, else the editable editor
    int system_colour; // -1: the fixed colour below
    colour_value fixed;
};

class automatic_colours : public framed_controls, public testing::WithParamInterface<automatic_case> {};

TEST_P(automatic_colours, are_resolved_when_set) {
    const automatic_case& c = GetParam();
    framed_edit& control = c.on_display ? static_cast<framed_edit&>(display_) : editor_;
    const colour_value expected = c.system_colour >= 0 ? GetSysColor(c.system_colour) : c.fixed;

    (control.*c.setter)(rgb(12, 34, 56));
    EXPECT_EQ((control.*c.getter)(), rgb(12, 34, 56)) << "explicit colours are kept";
    (control.*c.setter)(framed_edit::AUTOMATIC);
    EXPECT_EQ((control.*c.getter)(), expected);
    (control.*c.setter)(static_cast<colour_value>(AUTO_COLOR));
    EXPECT_EQ((control.*c.getter)(), expected);
}

INSTANTIATE_TEST_SUITE_P(setters, automatic_colours,
                         testing::Values(automatic_case{"display_background", &framed_edit::set_background,
                                                        &framed_edit::background, true, COLOR_BTNFACE, 0},
                                         automatic_case{"editor_background", &framed_edit::set_background,
                                                        &framed_edit::background, false, COLOR_WINDOW, 0},
                                         automatic_case{"text", &framed_edit::set_text_colour,
                                                        &framed_edit::text_colour, true, COLOR_BTNTEXT, 0},
                                         automatic_case{"error", &framed_edit::set_error_colour,
                                                        &framed_edit::text_colour, true, -1, rgb(255, 0, 0)},
                                         automatic_case{"incomplete", &framed_edit::set_preview_colour,
                                                        &framed_edit::text_colour, true, -1, rgb(0, 0, 255)},
                                         automatic_case{"frame", &framed_edit::set_frame_colour,
                                                        &framed_edit::frame_colour, false, COLOR_BTNSHADOW,
                                                        0}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

int text_height_of(const char* face, int size) {
    font measured;
    measured.create_point_font(face, size);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, measured.handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

TEST_F(framed_controls, preferred_height_is_the_font_cell_plus_six) {
    int previous_height = 0;
    for (int size : {6, 9, 12, 20, 36}) {
        display_.set_font("Arial", size);
        const int expected = text_height_of("Arial", size) + 6;
        EXPECT_EQ(display_.preferred_height(), expected) << size << " points";
        EXPECT_GT(display_.preferred_height(), previous_height) << size << " points";
        previous_height = display_.preferred_height();
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(display_.handle(), WM_GETFONT, 0, 0)),
                  display_.font_handle());
    }
    EXPECT_EQ(display_.font_face(), "Arial");
    EXPECT_EQ(display_.font_size(), 36);
}

TEST_F(framed_controls, an_unknown_face_still_gives_a_usable_height) {
    editor_.set_font("No Such Face At All", 12);
    EXPECT_GT(editor_.preferred_height(), 6);
    editor_.set_font("", 0);
    EXPECT_GT(editor_.preferred_height(), 6);
}

// The frame's corner pixels and a pixel just inside it, after a real
// non-client repaint of the control.
struct frame_pixels {
    COLORREF top_left;
    COLORREF bottom_right;
    COLORREF inside;
};

frame_pixels repaint_and_read_frame(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    pump_messages();
    RECT bounds{};
    GetWindowRect(control, &bounds);
    HDC dc = GetWindowDC(control);
    frame_pixels pixels{GetPixel(dc, 0, 0),
                        GetPixel(dc, bounds.right - bounds.left - 1, bounds.bottom - bounds.top - 1),
                        GetPixel(dc, 1, 1)};
    ReleaseDC(control, dc);
    return pixels;
}

struct frame_case {
    const char* name;
    int style;
    colour_value shade_base;
    colour_value top_left;
    colour_value bottom_right;
};

class frame_painting : public framed_controls, public testing::WithParamInterface<frame_case> {};

TEST_P(frame_painting, draws_the_style_in_the_expected_colours) {
    const frame_case& c = GetParam();
    parent_.shade_base = c.shade_base;
    display_.set_frame_colour(rgb(0, 128, 64));
    display_.set_background(rgb(200, 220, 240));
    display_.set_frame_style(c.style);

    const frame_pixels pixels = repaint_and_read_frame(display_.handle());
    EXPECT_EQ(pixels.top_left, c.top_left);
    EXPECT_EQ(pixels.bottom_right, c.bottom_right);
    EXPECT_EQ(pixels.inside, rgb(200, 220, 240)) << "the border inside the frame takes the fill";
}

constexpr colour_value WHITE = rgb(255, 255, 255);
constexpr colour_value BLACK = rgb(0, 0, 0);
constexpr colour_value GREY_190 = rgb(190, 190, 190);
constexpr colour_value GREY_65 = rgb(65, 65, 65);
constexpr colour_value FLAT_COLOUR = rgb(0, 128, 64);

INSTANTIATE_TEST_SUITE_P(styles, frame_painting,
                         testing::Values(
                             // Flat ignores the shade base; raised and sunken ignore the frame colour.
                             frame_case{"flat", FRAME_FLAT, WHITE, FLAT_COLOUR, FLAT_COLOUR},
                             frame_case{"raised_on_white", FRAME_RAISED, WHITE, WHITE, GREY_190},
                             frame_case{"sunken_on_white", FRAME_SUNKEN, WHITE, GREY_190, WHITE},
                             frame_case{"raised_on_black", FRAME_RAISED, BLACK, GREY_65, BLACK},
                             frame_case{"sunken_on_black", FRAME_SUNKEN, BLACK, BLACK, GREY_65},
                             // A hand-edited settings file can hold any number: drawn as sunken.
                             frame_case{"style_3", 3, WHITE, GREY_190, WHITE},
                             frame_case{"style_minus_1", -1, WHITE, GREY_190, WHITE},
                             frame_case{"style_huge", 0x7FFFFFFF, BLACK, BLACK, GREY_65}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(framed_controls, frame_shades_follow_the_parents_current_background) {
    display_.set_frame_style(FRAME_RAISED);
    parent_.shade_base = WHITE;
    EXPECT_EQ(repaint_and_read_frame(display_.handle()).bottom_right, GREY_190);
    parent_.shade_base = BLACK;
    EXPECT_EQ(repaint_and_read_frame(display_.handle()).top_left, GREY_65);
}

TEST_F(framed_controls, a_parent_without_a_shade_colour_shades_from_the_button_face) {
    register_class("framed_controls_plain_parent", 0, nullptr, nullptr, nullptr,
                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    plain_parent plain;
    ASSERT_TRUE(plain.create(0, "framed_controls_plain_parent", "plain", WS_POPUP | WS_VISIBLE, 420, 40, 200,
                             100, nullptr, nullptr));
    framed_edit edit(editor_look());
    ASSERT_TRUE(edit.create_control(0, "", WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, plain.handle(), nullptr));
    edit.set_frame_style(FRAME_SUNKEN);
    const frame_shades shades = shades_of(GetSysColor(COLOR_BTNFACE));
    const frame_pixels pixels = repaint_and_read_frame(edit.handle());
    EXPECT_EQ(pixels.top_left, shades.dark);
    EXPECT_EQ(pixels.bottom_right, shades.light);
    DestroyWindow(plain.handle());
    pump_messages();
}

TEST_F(framed_controls, draw_frame_survives_tiny_and_missing_windows) {
    MoveWindow(display_.handle(), 20, 100, 1, 1, TRUE);
    for (int style : {0, 1, 2, 5, -7})
        draw_frame(display_.handle(), WHITE, WHITE, BLACK, style);
    MoveWindow(display_.handle(), 20, 100, 0, 0, TRUE);
    draw_frame(display_.handle(), WHITE, WHITE, BLACK, 1);
    draw_frame(nullptr, WHITE, WHITE, BLACK, 1);
    pump_messages();
    SUCCEED();
}

TEST_F(framed_controls, copy_command_copies_the_whole_answer_and_selects_it) {
    const std::string answer = "1,234.5678";
    SetWindowTextA(display_.handle(), answer.c_str());
    SendMessageA(display_.handle(), EM_SETSEL, 2, 5);
    empty_clipboard();

    SendMessageA(display_.handle(), WM_COMMAND, MAKEWPARAM(IDM_ANSWER_COPY, 0), 0);

    EXPECT_EQ(clipboard_text(), answer);
    EXPECT_EQ(selection_of(display_.handle()),
              (std::pair<DWORD, DWORD>{0, static_cast<DWORD>(answer.size())}));
}

TEST_F(framed_controls, copy_command_keeps_a_japanese_message_byte_for_byte) {
    const std::string message = sjis("式が不正です");
    SetWindowTextA(display_.handle(), message.c_str());
    empty_clipboard();
    SendMessageA(display_.handle(), WM_COMMAND, MAKEWPARAM(IDM_ANSWER_COPY, 0), 0);
    EXPECT_EQ(utf8_from_sjis(clipboard_text()), "式が不正です");
}

TEST_F(framed_controls, other_commands_do_nothing) {
    SetWindowTextA(display_.handle(), "99");
    SendMessageA(display_.handle(), EM_SETSEL, 1, 1);
    empty_clipboard();
    for (UINT id :
         {0u, UINT{IDM_EXPRESSION_CUT}, UINT{IDM_EXPRESSION_PASTE}, UINT{IDM_EXPRESSION_VARIABLES}, 0xFFFFu})
        SendMessageA(display_.handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(clipboard_text(), "<no text>");
    EXPECT_EQ(selection_of(display_.handle()), (std::pair<DWORD, DWORD>{1, 1}));
}

class key_routing : public framed_controls, public testing::WithParamInterface<UINT> {};

TEST_P(key_routing, every_key_goes_to_the_owner_and_none_to_the_control) {
    SetWindowTextA(display_.handle(), "12345");
    SendMessageA(display_.handle(), EM_SETSEL, 2, 2);
    const UINT key = GetParam();

    SendMessageA(display_.handle(), WM_KEYDOWN, key, 1);

    EXPECT_EQ(parent_.keys, std::vector<UINT>{key});
    EXPECT_EQ(selection_of(display_.handle()), (std::pair<DWORD, DWORD>{2, 2})) << "the caret must not move";
}

INSTANTIATE_TEST_SUITE_P(keys, key_routing,
                         testing::Values(VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT, VK_HOME, VK_END,
                                         VK_DELETE, VK_RETURN, 'A', '5'));

TEST(framed_control_creation, fails_cleanly_without_a_parent) {
    application app(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    struct silent_owner : answer_display_owner {
        void display_key_down(UINT, UINT, UINT) override {}
    } owner;
    answer_display display(owner);
    EXPECT_FALSE(display.create(nullptr));
    EXPECT_EQ(display.handle(), nullptr);
    // The object stays usable without a window.
    display.set_font("Arial", 10);
    display.set_background(rgb(1, 2, 3));
    display.set_frame_style(FRAME_RAISED);
    EXPECT_GT(display.preferred_height(), 6);
}

} // namespace

namespace {

TEST(answer_menu_resource, holds_one_copy_item_under_ans) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ANSWER_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU ans = GetSubMenu(menu, 0);
    ASSERT_NE(ans, nullptr);
    char name[32] = {};
    GetMenuStringA(menu, 0, name, sizeof name, MF_BYPOSITION);
    EXPECT_STREQ(name, "ans");
    ASSERT_EQ(GetMenuItemCount(ans), 1);
    EXPECT_EQ(GetMenuItemID(ans, 0), IDM_ANSWER_COPY);
    char item[32] = {};
    GetMenuStringA(ans, 0, item, sizeof item, MF_BYPOSITION);
    EXPECT_EQ(utf8_from_sjis(item), "コピー(&C)");
    DestroyMenu(menu);
}

// Ends a menu that the test failed to close, so a fault cannot hang the run.
void CALLBACK end_stuck_menu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(framed_controls, context_menu_copy_item_copies_the_whole_answer) {
    SetWindowTextA(display_.handle(), "-0.25");
    SendMessageA(display_.handle(), EM_SETSEL, 0, 1);
    empty_clipboard();
    const UINT_PTR guard = SetTimer(nullptr, 0, 3000, end_stuck_menu);

    // The menu's own loop reads these keys: the first item, then Enter.
    PostMessageA(display_.handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(display_.handle(), WM_KEYDOWN, VK_RETURN, 0);
    RECT bounds{};
    GetWindowRect(display_.handle(), &bounds);
    SendMessageA(display_.handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(display_.handle()),
                 MAKELPARAM(bounds.left + 5, bounds.top + 5));
    KillTimer(nullptr, guard);
    pump_messages();

    EXPECT_EQ(clipboard_text(), "-0.25");
    EXPECT_EQ(selection_of(display_.handle()), (std::pair<DWORD, DWORD>{0, 5}));
}

} // namespace
