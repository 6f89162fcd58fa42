#include "app/expression_editor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/builtin_functions.h"
#include "options/settings.h"
#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/ui_fixture.h"

namespace {

constexpr UINT ID_UNDO = IDM_EXPRESSION_UNDO;
constexpr UINT ID_CUT = IDM_EXPRESSION_CUT;
constexpr UINT ID_COPY = IDM_EXPRESSION_COPY;
constexpr UINT ID_PASTE = IDM_EXPRESSION_PASTE;
constexpr UINT ID_VARIABLES = IDM_EXPRESSION_VARIABLES;

struct key_event {
    UINT virtual_key;
    UINT repeat;
    UINT flags;
    bool operator==(const key_event&) const = default;
};

// Stands in for the main window: keeps the answer state, counts what the
// editor hands it, and leaves the committed state when the text changes, as
// the main window does on the edit control's change notification.
class fake_owner : public expression_editor_owner {
public:
    answer_state current_answer_state() const override { return state; }
    void caret_moved() override { state = edited; }
    bool continues_answer(unsigned c) const override { return state == committed && operator_continues_answer(c); }
    void commit() override { ++commits; }
    void editor_key_down(UINT virtual_key, UINT repeat, UINT flags) override {
        keys.push_back({virtual_key, repeat, flags});
    }
    void show_variables() override { ++variable_lists; }
    function_key_table function_keys() const override {
        return resolve_function_keys(options.shortcut_keys, options.user_function_texts);
    }

    answer_state state = edited;
    int commits = 0;
    int variable_lists = 0;
    std::vector<key_event> keys;
    settings options;
};

LRESULT CALLBACK parent_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
        auto* owner = reinterpret_cast<fake_owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (owner)
            owner->state = edited;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

const char* parent_class() {
    static const char* name = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = parent_procedure;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "expression_editor_test_parent";
        RegisterClassA(&c);
        return c.lpszClassName;
    }();
    return name;
}

LPARAM key_lparam(UINT virtual_key, bool alt = false) {
    const UINT scan = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
    return static_cast<LPARAM>(1 | (scan << 16) | (alt ? 1u << 29 : 0u));
}

// Under an application object, which subclassed controls need for their
// registry.
class expression_editor_test : public ui_test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, parent_class(), "test", WS_POPUP, 0, 0, 400, 120, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner_));
        ASSERT_TRUE(editor_.create(parent_));
        MoveWindow(editor_.handle(), 10, 10, 360, 60, FALSE);
        ShowWindow(parent_, SW_SHOWNA);
        ShowWindow(editor_.handle(), SW_SHOW);
    }
    void TearDown() override {
        if (parent_)
            DestroyWindow(parent_);
    }

    HWND edit() const { return editor_.handle(); }

    void key(UINT virtual_key) { SendMessageA(edit(), WM_KEYDOWN, virtual_key, key_lparam(virtual_key)); }
    void alt_key(UINT virtual_key) {
        SendMessageA(edit(), WM_SYSKEYDOWN, virtual_key, key_lparam(virtual_key, true));
    }
    void type(const std::string& characters) {
        for (unsigned char c : characters)
            SendMessageA(edit(), WM_CHAR, c, key_lparam(VkKeyScanA(static_cast<char>(c)) & 0xFF));
    }
    // Text typed by the user and then committed: the old expression.
    void committed_text(const char* text, int caret) {
        type(text);
        set_caret(caret);
        owner_.state = committed;
    }

    std::string text() const {
        char buffer[256] = {};
        GetWindowTextA(edit(), buffer, sizeof buffer);
        return buffer;
    }
    void set_caret(int start, int end = -2) {
        SendMessageA(edit(), EM_SETSEL, start, end == -2 ? start : end);
    }
    std::pair<int, int> selection() const {
        DWORD start = 0, end = 0;
        SendMessageA(edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    bool can_undo() const { return SendMessageA(edit(), EM_CANUNDO, 0, 0) != 0; }

    fake_owner owner_;
    expression_editor editor_{owner_};
    HWND parent_ = nullptr;
};

// ---------------------------------------------------------------- typing after a commit

struct committed_typing_case {
    const char* typed;
    const char* text;
    int caret;
};

class committed_typing : public expression_editor_test,
                         public testing::WithParamInterface<committed_typing_case> {};

TEST_P(committed_typing, continues_with_ans_or_starts_afresh) {
    committed_text("12*3", 4);
    type(GetParam().typed);
    EXPECT_EQ(text(), GetParam().text);
    EXPECT_EQ(selection(), std::make_pair(GetParam().caret, GetParam().caret));
    EXPECT_EQ(owner_.state, edited);
}

INSTANTIATE_TEST_SUITE_P(
    characters, committed_typing,
    testing::Values(committed_typing_case{"+", "ans+", 4}, committed_typing_case{"-", "ans-", 4},
                    committed_typing_case{"*", "ans*", 4}, committed_typing_case{"/", "ans/", 4},
                    committed_typing_case{"%", "ans%", 4}, committed_typing_case{"5", "5", 1},
                    committed_typing_case{"x", "x", 1}, committed_typing_case{"(", "(", 1},
                    committed_typing_case{" ", " ", 1},
                    // only the first character after the commit is special
                    committed_typing_case{"+2", "ans+2", 5}));

TEST_F(expression_editor_test, operator_after_commit_leaves_caret_after_ans_even_when_it_was_elsewhere) {
    committed_text("12*3", 1);
    type("+");
    EXPECT_EQ(text(), "ans+");
    EXPECT_EQ(selection(), std::make_pair(4, 4));
}

TEST_F(expression_editor_test, backspace_after_commit_edits_the_old_expression) {
    committed_text("12*3", 4);
    type("\b");
    EXPECT_EQ(text(), "12*");
}

TEST_F(expression_editor_test, editing_shortcuts_after_commit_keep_the_old_expression) {
    committed_text("12*3", 4);
    SendMessageA(edit(), EM_SETSEL, 0, -1);
    type("\x03"); // Ctrl+C
    EXPECT_EQ(text(), "12*3");
}

struct caret_key_case {
    UINT virtual_key;
    answer_state state_after;
    const char* text_after_typing_5;
};

class caret_keys_after_commit : public expression_editor_test,
                                public testing::WithParamInterface<caret_key_case> {};

TEST_P(caret_keys_after_commit, decide_whether_the_old_expression_is_edited) {
    committed_text("12*3", 2);
    key(GetParam().virtual_key);
    EXPECT_EQ(owner_.state, GetParam().state_after);
    set_caret(4);
    type("5");
    EXPECT_EQ(text(), GetParam().text_after_typing_5);
}

INSTANTIATE_TEST_SUITE_P(
    keys, caret_keys_after_commit,
    testing::Values(caret_key_case{VK_LEFT, edited, "12*35"}, caret_key_case{VK_RIGHT, edited, "12*35"},
                    caret_key_case{VK_HOME, edited, "12*35"}, caret_key_case{VK_END, edited, "12*35"},
                    caret_key_case{VK_UP, committed, "5"}, caret_key_case{VK_DOWN, committed, "5"}));

TEST_F(expression_editor_test, caret_keys_still_move_the_caret) {
    type("123");
    key(VK_HOME);
    EXPECT_EQ(selection(), std::make_pair(0, 0));
    key(VK_RIGHT);
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(3, 3));
}

// ---------------------------------------------------------------- keys for the owner

TEST_F(expression_editor_test, enter_commits_and_inserts_nothing) {
    for (answer_state state : {edited, committed, eval_failed}) {
        SetWindowTextA(edit(), "1+2");
        set_caret(3);
        owner_.state = state;
        type("\r");
        EXPECT_EQ(text(), "1+2");
    }
    EXPECT_EQ(owner_.commits, 3);
}

TEST_F(expression_editor_test, ctrl_enter_inserts_no_line_break_either) {
    type("1+2\n");
    EXPECT_EQ(text(), "1+2");
}

TEST_F(expression_editor_test, escape_page_up_and_page_down_go_to_the_owner_only) {
    type("1+2");
    set_caret(1);
    owner_.state = committed;
    const UINT keys[] = {VK_ESCAPE, VK_PRIOR, VK_NEXT};
    for (UINT k : keys)
        SendMessageA(edit(), WM_KEYDOWN, k, 0x00490001);
    ASSERT_EQ(owner_.keys.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(owner_.keys[i], (key_event{keys[i], 1, 0x0049}));
    EXPECT_EQ(text(), "1+2");
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    EXPECT_EQ(owner_.state, committed);
}

TEST_F(expression_editor_test, escape_character_does_not_clear_a_committed_expression) {
    committed_text("1+2", 3);
    key(VK_ESCAPE);
    type("\x1b");
    EXPECT_EQ(text(), "1+2");
}

// ---------------------------------------------------------------- Alt+X and Alt+Z

TEST_F(expression_editor_test, alt_x_replaces_the_selection_by_parentheses) {
    type("1+12*3");
    set_caret(2, 4);
    alt_key('X');
    EXPECT_EQ(text(), "1+()*3");
    EXPECT_EQ(selection(), std::make_pair(3, 3));
}

TEST_F(expression_editor_test, alt_x_without_selection_inserts_parentheses_at_the_caret) {
    type("sin");
    alt_key('X');
    EXPECT_EQ(text(), "sin()");
    EXPECT_EQ(selection(), std::make_pair(4, 4));
}

TEST_F(expression_editor_test, alt_z_jumps_to_the_partner_and_back) {
    type("(1+(2))");
    set_caret(0);
    alt_key('Z');
    EXPECT_EQ(selection(), std::make_pair(6, 6));
    alt_key('Z');
    EXPECT_EQ(selection(), std::make_pair(0, 0));
    set_caret(3);
    alt_key('Z');
    EXPECT_EQ(selection(), std::make_pair(5, 5));
}

TEST_F(expression_editor_test, alt_z_without_a_partner_leaves_the_caret) {
    for (int caret : {1, 0, 6}) {
        SetWindowTextA(edit(), "(1+(2)");
        set_caret(caret);
        alt_key('Z');
        EXPECT_EQ(selection(), std::make_pair(caret, caret)) << caret;
    }
}

// ---------------------------------------------------------------- Alt+key templates

constexpr std::int32_t user_function(std::int32_t index) { return USER_FUNCTION_FLAG | index; }

struct template_case {
    UINT virtual_key;
    const char* text;
    int caret;
};

class function_templates : public expression_editor_test, public testing::WithParamInterface<template_case> {
protected:
    void SetUp() override {
        expression_editor_test::SetUp();
        owner_.options.user_function_texts = {"g()=7//seven", "f(a,b)=a+b//sum"};
        owner_.options.shortcut_keys = {
            {cal::find_builtin_function("pi"), 'P'},
            {cal::find_builtin_function("sin"), 'S'},
            {user_function(1), 'F'},
            {user_function(0), 'G'},
            {user_function(2), 'Q'}, // no such user function
            {99, 'W'},               // no such built-in
            {-5, 'V'},
            {cal::find_builtin_function("cos"), 'F'}, // only the first binding counts
        };
    }
};

TEST_P(function_templates, insert_the_call_with_the_caret_inside) {
    type("2*");
    alt_key(GetParam().virtual_key);
    EXPECT_EQ(text(), GetParam().text);
    EXPECT_EQ(selection(), std::make_pair(GetParam().caret, GetParam().caret));
}

INSTANTIATE_TEST_SUITE_P(keys, function_templates,
                         testing::Values(template_case{'P', "2*pi()", 6}, template_case{'S', "2*sin()", 6},
                                         template_case{'F', "2*f(,)", 4}, template_case{'G', "2*g()", 5},
                                         // unbound or bound to nothing that exists: no change
                                         template_case{'K', "2*", 2}, template_case{'Q', "2*", 2},
                                         template_case{'W', "2*", 2}, template_case{'V', "2*", 2},
                                         template_case{'1', "2*", 2}, template_case{VK_MENU, "2*", 2}));

TEST_F(function_templates, template_replaces_the_selection) {
    type("1+23");
    set_caret(2, 4);
    alt_key('S');
    EXPECT_EQ(text(), "1+sin()");
}

TEST_F(function_templates, alt_characters_are_swallowed) {
    type("1");
    EXPECT_EQ(SendMessageA(edit(), WM_SYSCHAR, 'k', key_lparam('K', true)), 0);
    EXPECT_EQ(text(), "1");
}

// ---------------------------------------------------------------- undo

TEST_F(expression_editor_test, editor_replacements_cannot_be_undone) {
    type("12");
    set_caret(0, 2);
    alt_key('X');
    EXPECT_FALSE(can_undo());
    SendMessageA(edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(text(), "()");

    owner_.options.shortcut_keys = {{cal::find_builtin_function("sin"), 'S'}};
    set_caret(1);
    alt_key('S');
    EXPECT_FALSE(can_undo());
    SendMessageA(edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(text(), "(sin())");
}

TEST_F(expression_editor_test, clearing_after_commit_cannot_be_undone_back_to_the_old_text) {
    committed_text("12*3", 4);
    type("+");
    SendMessageA(edit(), EM_UNDO, 0, 0);
    SendMessageA(edit(), EM_UNDO, 0, 0);
    EXPECT_NE(text().find("ans"), std::string::npos) << text();

    owner_.state = committed;
    type("7");
    SendMessageA(edit(), EM_UNDO, 0, 0);
    SendMessageA(edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(text().find("ans"), std::string::npos) << text();
}

// ---------------------------------------------------------------- context menu commands

std::string clipboard_text(HWND owner) {
    std::string result;
    if (!OpenClipboard(owner))
        return result;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            result = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

TEST_F(expression_editor_test, menu_commands_reach_the_edit_control_and_the_owner) {
    type("12+34");
    set_caret(0, 2);
    SendMessageA(edit(), WM_COMMAND, ID_COPY, 0);
    EXPECT_EQ(clipboard_text(parent_), "12");
    EXPECT_EQ(text(), "12+34");

    set_caret(3, 5);
    SendMessageA(edit(), WM_COMMAND, ID_CUT, 0);
    EXPECT_EQ(text(), "12+");
    EXPECT_EQ(clipboard_text(parent_), "34");

    set_caret(0);
    SendMessageA(edit(), WM_COMMAND, ID_PASTE, 0);
    EXPECT_EQ(text(), "3412+");

    SendMessageA(edit(), WM_COMMAND, ID_UNDO, 0);
    EXPECT_EQ(text(), "12+");

    EXPECT_EQ(owner_.variable_lists, 0);
    SendMessageA(edit(), WM_COMMAND, ID_VARIABLES, 0);
    EXPECT_EQ(owner_.variable_lists, 1);
    SendMessageA(edit(), WM_COMMAND, IDM_HISTORY, 0); // not one of the editor's
    EXPECT_EQ(owner_.variable_lists, 1);
    EXPECT_EQ(text(), "12+");
}

void set_clipboard_text(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
}

// Control characters typed into the editor, with "12*3" in it and the
// clipboard holding a text.
struct control_character_case {
    const char* name;
    bool committed;
    const char* clipboard;
    const char* typed;
    const char* text;
    const char* clipboard_after;
};

class control_characters : public expression_editor_test,
                           public testing::WithParamInterface<control_character_case> {};

TEST_P(control_characters, edit_or_replace_the_expression_and_never_go_into_it) {
    const control_character_case& c = GetParam();
    set_clipboard_text(parent_, c.clipboard);
    if (c.committed)
        committed_text("12*3", 4);
    else
        type("12*3");
    type(c.typed);
    EXPECT_EQ(text(), c.text);
    EXPECT_EQ(clipboard_text(parent_), c.clipboard_after);
}

INSTANTIATE_TEST_SUITE_P(
    editor, control_characters,
    testing::Values(
        // After a commit, pasting and cutting replace the old expression as typing does.
        control_character_case{"paste_after_commit", true, "7", "\x16", "7", "7"},
        control_character_case{"paste_of_an_operator_after_commit", true, "+1", "\x16", "ans+1", "+1"},
        control_character_case{"cut_after_commit", true, "old", "\x18", "", "12*3"},
        control_character_case{"copy_after_commit", true, "old", "\x03", "12*3", "old"},
        control_character_case{"backspace_after_commit", true, "old", "\b", "12*", "old"},
        // While editing, pasting inserts at the caret.
        control_character_case{"paste_while_editing", false, "+5", "\x16", "12*3+5", "+5"},
        // Line breaks and tabs stay out of the one-line expression.
        control_character_case{"paste_with_line_breaks_and_tabs", false, "\t+5\r\n", "\x16", "12*3+5",
                               "\t+5\r\n"},
        control_character_case{"paste_of_only_a_line_break_after_commit", true, "\r\n", "\x16", "12*3",
                               "\r\n"},
        control_character_case{"tab", false, "old", "\t", "12*3", "old"},
        control_character_case{"tab_after_commit", true, "old", "\t", "12*3", "old"},
        control_character_case{"other_control_characters", false, "old", "\x01\x02\x11\x1b\x1f\x7f", "12*3",
                               "old"}),
    [](const testing::TestParamInfo<control_character_case>& test) { return test.param.name; });

// The system hands a typed double-byte character to the editor as its lead
// and trail bytes; a pasted text comes as UTF-16 (the web's minus sign U+2212
// has no code page 932 character of its own).
TEST_F(expression_editor_test, full_width_digits_and_operators_go_in_as_ascii) {
    committed_text("12*3", 4);
    type(sjis("＋１２３"));
    EXPECT_EQ(text(), "ans+123");
    ASSERT_TRUE(OpenClipboard(parent_));
    EmptyClipboard();
    const wchar_t pasted[] = L"\u00D74\u22121\u3042";
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    std::memcpy(GlobalLock(data), pasted, sizeof pasted);
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    type("\x16");
    type(sjis("ｘ角"));
    EXPECT_EQ(utf8_from_sjis(text()), "ans+123*4-1あx角");
}

TEST_F(expression_editor_test, pasting_from_the_menu_after_commit_replaces_the_old_expression) {
    set_clipboard_text(parent_, "5");
    committed_text("12*3", 4);
    SendMessageA(edit(), WM_COMMAND, ID_PASTE, 0);
    EXPECT_EQ(text(), "5");
    EXPECT_EQ(owner_.state, edited);
}

TEST_F(expression_editor_test, context_menu_resource_has_the_editor_commands) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_EXPRESSION_MENU));
    if (!menu)
        GTEST_SKIP() << "resources not linked into this program";
    HMENU expression = GetSubMenu(menu, 0);
    ASSERT_NE(expression, nullptr);
    const struct {
        UINT id;
        const char* text;
    } items[] = {{ID_UNDO, "元に戻す(&U)"},  {0, ""}, {ID_CUT, "切り取り(&T)"},  {ID_COPY, "コピー(&C)"},
                 {ID_PASTE, "貼り付け(&P)"}, {0, ""}, {ID_VARIABLES, "変数(&V)"}};
    ASSERT_EQ(GetMenuItemCount(expression), 7);
    for (int i = 0; i < 7; ++i) {
        char label[64] = {};
        GetMenuStringA(expression, i, label, sizeof label, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(expression, i), items[i].id == 0 ? 0u : items[i].id) << i;
        EXPECT_EQ(label, sjis(items[i].text)) << i;
    }
    DestroyMenu(menu);
}

// ---------------------------------------------------------------- look and emphasis

TEST_F(expression_editor_test, starts_white_with_black_text_and_a_flat_frame) {
    EXPECT_EQ(editor_.background(), RGB(255, 255, 255));
    EXPECT_EQ(editor_.text_colour(), RGB(0, 0, 0));
    EXPECT_EQ(editor_.frame_colour(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(editor_.frame_style(), 0);
    EXPECT_EQ(editor_.font_face(), sjis("HGP創英角ﾎﾟｯﾌﾟ体"));
    EXPECT_EQ(editor_.font_size(), 9);
    EXPECT_TRUE(editor_.match_parentheses());
    const LONG style = GetWindowLongA(edit(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_AUTOVSCROLL);
    EXPECT_FALSE(style & ES_AUTOHSCROLL);
    EXPECT_EQ(GetDlgCtrlID(edit()), 0);
}

// Dark pixels of the control's client area: emphasis draws the characters
// once more beside themselves, so it adds some.
int dark_pixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) < 0x404040)
                ++count;
    ReleaseDC(window, dc);
    return count;
}

int dark_pixels_after_typing(HWND edit, const char* text) {
    SetWindowTextA(edit, "");
    for (const char* c = text; *c; ++c)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
    UpdateWindow(edit);
    return dark_pixels(edit);
}

TEST_F(expression_editor_test, typed_parenthesis_with_a_partner_is_emphasised) {
    editor_.set_match_parentheses(false);
    const int plain = dark_pixels_after_typing(edit(), "(1+(2)");
    editor_.set_match_parentheses(true);
    const int matched = dark_pixels_after_typing(edit(), "(1+(2)");
    const int unmatched = dark_pixels_after_typing(edit(), "(1+2))");
    editor_.set_match_parentheses(false);
    const int unmatched_plain = dark_pixels_after_typing(edit(), "(1+2))");
    EXPECT_GT(matched, plain);
    EXPECT_EQ(unmatched, unmatched_plain);
}

TEST_F(expression_editor_test, emphasis_ignores_positions_outside_the_text) {
    type("1+2");
    UpdateWindow(edit());
    const int before = dark_pixels(edit());
    editor_.emphasise(3, 1);
    editor_.emphasise(-1, 2);
    editor_.emphasise(1, 0);
    EXPECT_EQ(dark_pixels(edit()), before);
    editor_.emphasise(1, 100);
    EXPECT_GT(dark_pixels(edit()), before);
}

} // namespace

namespace {

// Japanese characters take two bytes in code page 932 but may count as one
// in the control; caret moves and engine error positions must still land on
// the right characters.
TEST_F(expression_editor_test, alt_z_finds_the_partner_behind_double_byte_characters) {
    SetWindowTextA(edit(), sjis("角度(1)").c_str());
    key(VK_HOME);
    key(VK_RIGHT);
    key(VK_RIGHT);
    alt_key('Z');
    type("x");
    EXPECT_EQ(utf8_from_sjis(text()), "角度(1x)");
}

TEST_F(expression_editor_test, emphasis_takes_byte_positions_behind_double_byte_characters) {
    SetWindowTextA(edit(), sjis("角度1").c_str());
    UpdateWindow(edit());
    const int before = dark_pixels(edit());
    editor_.emphasise(4, 1); // the "1"
    EXPECT_GT(dark_pixels(edit()), before);
}

} // namespace
