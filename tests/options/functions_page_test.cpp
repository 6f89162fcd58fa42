// The functions page in a real property sheet over a test settings record,
// and the user function dialog it opens. The sheet runs modeless so the test
// can press its buttons; the modal dialog and the message boxes are driven by
// a scripted thread timer that runs inside their modal loops.
#include "options/functions_page.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "engine/builtin_functions.h"
#include "options/function_list.h"
#include "options/settings.h"
#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/application.h"
#include "ui/property_sheet.h"

namespace {

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class functions_sheet : public property_sheet {
public:
    explicit functions_sheet(settings& record) : page(record) { add_page(&page); }
    functions_page page;
};

// The innermost modal window of this thread: the enabled, visible dialog
// (the sheet and the user function dialog are disabled under what they own).
HWND top_dialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM into) -> BOOL {
            char class_name[16] = {};
            GetClassNameA(candidate, class_name, sizeof class_name);
            if (lstrcmpA(class_name, "#32770") == 0 && IsWindowVisible(candidate) &&
                IsWindowEnabled(candidate))
                *reinterpret_cast<HWND*>(into) = candidate;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string window_text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool is_function_dialog(HWND window) { return window && window_text(window) == sjis("関数の設定"); }

bool is_message_box(HWND window) {
    return window && window_text(window) == "Tarvik" && !GetDlgItem(window, IDC_FUNCTION_NAME);
}

// What the script saw while the modal windows ran.
struct observations {
    std::vector<std::string> messages; // message box texts, in CP932
    std::vector<int> focus_ids;
    std::vector<std::string> texts; // edit texts read
    std::vector<bool> read_only;
};

// One step returns false while the window it acts on is not up yet.
using step = std::function<bool(HWND top, observations& seen)>;

struct field_values {
    const char* name;
    const char* arguments;
    const char* definition;
    const char* description;
    char key; // typed into the key edit; 0 leaves it empty
};

step fill(field_values values) {
    return [values](HWND top, observations&) {
        if (!is_function_dialog(top))
            return false;
        SetDlgItemTextA(top, IDC_FUNCTION_NAME, values.name);
        SetDlgItemTextA(top, IDC_FUNCTION_ARGUMENTS, values.arguments);
        SetDlgItemTextA(top, IDC_FUNCTION_DEFINITION, values.definition);
        SetDlgItemTextA(top, IDC_FUNCTION_DESCRIPTION, values.description);
        SetDlgItemTextA(top, IDC_FUNCTION_KEY, "");
        if (values.key)
            SendDlgItemMessageA(top, IDC_FUNCTION_KEY, WM_CHAR, static_cast<unsigned char>(values.key), 1);
        return true;
    };
}

step type_key(char key) {
    return [key](HWND top, observations&) {
        if (!is_function_dialog(top))
            return false;
        SetDlgItemTextA(top, IDC_FUNCTION_KEY, "");
        if (key)
            SendDlgItemMessageA(top, IDC_FUNCTION_KEY, WM_CHAR, static_cast<unsigned char>(key), 1);
        return true;
    };
}

step read_field(int id) {
    return [id](HWND top, observations& seen) {
        if (!is_function_dialog(top))
            return false;
        seen.texts.push_back(window_text(GetDlgItem(top, id)));
        seen.read_only.push_back((GetWindowLongA(GetDlgItem(top, id), GWL_STYLE) & ES_READONLY) != 0);
        return true;
    };
}

step press(int id) {
    return [id](HWND top, observations&) {
        if (!is_function_dialog(top))
            return false;
        PostMessageA(top, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(top, id)));
        return true;
    };
}

step note_focus() {
    return [](HWND top, observations& seen) {
        if (!is_function_dialog(top))
            return false;
        seen.focus_ids.push_back(GetDlgCtrlID(GetFocus()));
        return true;
    };
}

step answer(int button) {
    return [button](HWND top, observations& seen) {
        if (!is_message_box(top))
            return false;
        std::string text;
        EnumChildWindows(
            top,
            [](HWND child, LPARAM into) -> BOOL {
                char class_name[16] = {};
                GetClassNameA(child, class_name, sizeof class_name);
                std::string child_text = window_text(child);
                if (lstrcmpiA(class_name, "Static") == 0 && !child_text.empty())
                    *reinterpret_cast<std::string*>(into) = child_text;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&text));
        seen.messages.push_back(text);
        PostMessageA(top, WM_COMMAND, button, 0);
        return true;
    };
}

// Runs the steps from a thread timer while `action` runs the modal windows.
// A step that never finds its window ends the modal windows (Cancel) rather
// than hang the test.
class modal_script {
public:
    static observations run(std::vector<step> steps, const std::function<void()>& action) {
        state = {std::move(steps), 0, 0, {}};
        UINT_PTR timer = SetTimer(nullptr, 0, 20, tick);
        action();
        KillTimer(nullptr, timer);
        EXPECT_EQ(state.next, state.steps.size()) << "a step did not find its window";
        return state.seen;
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND top = top_dialog();
        if (state.next < state.steps.size() && state.steps[state.next](top, state.seen)) {
            ++state.next;
            state.idle = 0;
        } else if (++state.idle > 100 && top && (is_function_dialog(top) || is_message_box(top))) {
            PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        }
    }

    struct running {
        std::vector<step> steps;
        std::size_t next;
        int idle;
        observations seen;
    };
    static inline running state;
};

class functions_page_test : public ::testing::Test {
protected:
    functions_page_test() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { close(); }

    void open() {
        sheet_ = std::make_unique<functions_sheet>(record);
        sheet_window_ = reinterpret_cast<HWND>(sheet_->run(PSH_MODELESS | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP,
                                                           nullptr, IDI_PROGRAM, "Tarvik", 0));
        ASSERT_NE(sheet_window_, nullptr);
        pump_messages();
        rows = function_list(GetDlgItem(page(), IDC_FUNCTION_LIST));
    }
    // Presses OK: the page writes the settings.
    void confirm() {
        SendMessageA(sheet_window_, PSM_PRESSBUTTON, PSBTN_OK, 0);
        pump_messages();
        close();
    }
    void close() {
        if (sheet_window_ && IsWindow(sheet_window_))
            DestroyWindow(sheet_window_);
        pump_messages();
        sheet_window_ = nullptr;
        sheet_.reset();
    }

    HWND page() const { return sheet_->page.handle(); }
    int row_of(const char* name) const { return rows.find_label(name); }
    std::string cell(const char* name, int column) const { return rows.text(row_of(name), column); }
    bool enabled(int id) const { return IsWindowEnabled(GetDlgItem(page(), id)) != FALSE; }

    void select(const char* name) {
        int row = row_of(name);
        ASSERT_GE(row, 0) << name;
        rows.select(row);
    }
    observations click(int button, std::vector<step> steps) {
        return modal_script::run(std::move(steps), [&] {
            SendMessageA(page(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(page(), button)));
        });
    }

    // A double click on a row, as the list reports it to the page.
    observations double_click(const char* name, std::vector<step> steps) {
        NMITEMACTIVATE activation{};
        activation.hdr = {rows.handle(), static_cast<UINT_PTR>(IDC_FUNCTION_LIST),
                          static_cast<UINT>(NM_DBLCLK)};
        activation.iItem = row_of(name);
        return modal_script::run(std::move(steps), [&] {
            SendMessageA(page(), WM_NOTIFY, IDC_FUNCTION_LIST, reinterpret_cast<LPARAM>(&activation));
        });
    }

    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    settings record;
    function_list rows;

private:
    std::unique_ptr<functions_sheet> sheet_;
    HWND sheet_window_ = nullptr;
};

TEST_F(functions_page_test, a_fresh_installation_lists_the_builtins_sorted_without_keys) {
    open();
    ASSERT_EQ(rows.row_count(), cal::builtin_function_count);
    for (int row = 1; row < rows.row_count(); ++row)
        EXPECT_LT(rows.text(row - 1, 0), rows.text(row, 0));
    for (int row = 0; row < rows.row_count(); ++row)
        EXPECT_EQ(rows.text(row, function_list::key_column), "");
    EXPECT_EQ(cell("if", function_list::arguments_column), "x, y, z");
    EXPECT_EQ(cell("sqrt", function_list::arguments_column), "x");
    EXPECT_EQ(cell("pi", function_list::arguments_column), "");
    EXPECT_EQ(cell("pi", function_list::description_column), sjis("円周率を求める"));
    EXPECT_TRUE(enabled(IDC_REGISTER_FUNCTION));
    EXPECT_FALSE(enabled(IDC_EDIT_FUNCTION));
    EXPECT_FALSE(enabled(IDC_DELETE_FUNCTION));
}

// All four columns show within the list, with no horizontal scroll bar.
TEST_F(functions_page_test, the_columns_fit_the_list) {
    open();
    RECT client{};
    GetClientRect(rows.handle(), &client);
    int total = 0;
    for (int column = 0; column < 4; ++column)
        total += ListView_GetColumnWidth(rows.handle(), column);
    EXPECT_LE(total, client.right);
    EXPECT_EQ(GetWindowLongA(rows.handle(), GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(functions_page_test, a_registered_function_is_stored_in_name_order_with_its_key) {
    open();
    observations seen = click(IDC_REGISTER_FUNCTION, {fill({"sq", "a,b", "a*b", "", 'Q'}), press(IDOK)});
    EXPECT_TRUE(seen.messages.empty());
    int row = row_of("sq");
    ASSERT_GE(row, 0);
    EXPECT_EQ(rows.text(row - 1, 0), "sinh");
    EXPECT_EQ(rows.text(row + 1, 0), "sqrt");
    EXPECT_EQ(cell("sq", function_list::key_column), "Q");
    confirm();
    EXPECT_EQ(record.user_function_texts, std::vector<std::string>{"sq(a,b)=a*b//"});
    EXPECT_EQ(record.shortcut_keys, (std::vector<shortcut_key>{{INT_MIN, 81}}));

    // The list shows the parsed argument names joined by ", ".
    open();
    EXPECT_EQ(cell("sq", function_list::arguments_column), "a, b");
    confirm();
    EXPECT_EQ(record.user_function_texts, std::vector<std::string>{"sq(a, b)=a*b//"});
}

// Every refusal explains itself and puts the focus on the field to fix. One
// dialog takes all the entries in turn (each window shown costs Wine time).
TEST_F(functions_page_test, refused_entries_explain_themselves_and_focus_the_field_to_fix) {
    const struct {
        field_values fields;
        const char* key_shown;
        const char* message; // UTF-8
        int focus_id;
    } cases[] = {
        {{"sq", "a", "a", "", 'x'},
         "X",
         "設定したショートカットキーはシステムで利用しています",
         IDC_FUNCTION_KEY},
        {{"sq", "a", "a", "", ' '},
         " ",
         "設定したショートカットキーはシステムで利用しています",
         IDC_FUNCTION_KEY},
        {{"sq", "a", "a", "", 's'},
         "S",
         "設定したショートカットキーは他の関数で利用されています",
         IDC_FUNCTION_KEY},
        {{"", "a", "a", "", 0}, "", "入力されていない項目があります", IDC_FUNCTION_NAME},
        {{"sq", "a", "", "", 0}, "", "入力されていない項目があります", IDC_FUNCTION_DEFINITION},
        {{"SIN", "a", "a", "", 0}, "", "同じ名前の関数が既に登録されています", IDC_FUNCTION_NAME},
        {{"1", "a", "a", "", 0}, "", "'1' は関数名として利用できません。", IDC_FUNCTION_NAME},
        {{"sq", "1", "a", "", 0}, "", "'1' は引数名として利用できません。", IDC_FUNCTION_ARGUMENTS},
        {{"sq", "a", "a//b", "", 0},
         "",
         "定義には説明の区切り '//' を含められません",
         IDC_FUNCTION_DEFINITION},
        // Keys Alt+key never produces are taken out as they are typed.
        {{"", "a", "a", "", '+'}, "", "入力されていない項目があります", IDC_FUNCTION_NAME},
        {{"", "a", "a", "", '!'}, "", "入力されていない項目があります", IDC_FUNCTION_NAME},
        {{"", "a", "a", "", '\xb1'}, "", "入力されていない項目があります", IDC_FUNCTION_NAME},
        {{"  @f", "x", "x", "", 0}, "", "認識できない文字が使われています", IDC_FUNCTION_NAME},
        {{"f(x)", "y", "y*2", "", 0},
         "",
         "関数名には名前だけを、前後に空白を付けずに入力してください",
         IDC_FUNCTION_NAME},
        {{" sin", "x", "x", "", 0},
         "",
         "関数名には名前だけを、前後に空白を付けずに入力してください",
         IDC_FUNCTION_NAME},
        {{"sq", "x) (y", "x", "", 0},
         "",
         "引数には引数名だけをコンマで区切って入力してください",
         IDC_FUNCTION_ARGUMENTS},
    };
    record.shortcut_keys = {{15, 'S'}}; // sin
    open();
    std::vector<step> steps;
    for (const auto& c : cases) {
        for (step each :
             {fill(c.fields), read_field(IDC_FUNCTION_KEY), press(IDOK), answer(IDOK), note_focus()})
            steps.push_back(each);
    }
    steps.push_back(press(IDCANCEL));
    observations seen = click(IDC_REGISTER_FUNCTION, steps);

    ASSERT_EQ(seen.messages.size(), std::size(cases));
    ASSERT_EQ(seen.focus_ids.size(), std::size(cases));
    ASSERT_EQ(seen.texts.size(), std::size(cases));
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        SCOPED_TRACE(cases[index].message);
        EXPECT_EQ(seen.texts[index], cases[index].key_shown);
        EXPECT_EQ(utf8_from_sjis(seen.messages[index]), cases[index].message);
        EXPECT_EQ(seen.focus_ids[index], cases[index].focus_id);
    }
    EXPECT_EQ(rows.row_count(), cal::builtin_function_count) << "a refused entry adds no row";
}

TEST_F(functions_page_test, editing_a_builtin_changes_only_its_key) {
    open();
    select("sin");
    EXPECT_TRUE(enabled(IDC_EDIT_FUNCTION));
    EXPECT_FALSE(enabled(IDC_DELETE_FUNCTION));
    observations seen = click(IDC_EDIT_FUNCTION,
                              {read_field(IDC_FUNCTION_DEFINITION), read_field(IDC_FUNCTION_NAME),
                               note_focus(), type_key('s'), press(IDOK)});
    ASSERT_EQ(seen.texts.size(), 2u);
    EXPECT_EQ(seen.texts[0], sjis("<<組み込み関数>>"));
    EXPECT_EQ(seen.texts[1], "sin");
    EXPECT_EQ(seen.read_only, (std::vector<bool>{true, true}));
    EXPECT_EQ(seen.focus_ids, std::vector<int>{IDC_FUNCTION_KEY});
    EXPECT_EQ(cell("sin", function_list::key_column), "S");
    EXPECT_EQ(cell("sin", function_list::description_column), sjis("サインを計算する"));
    confirm();
    EXPECT_TRUE(record.user_function_texts.empty());
    EXPECT_EQ(record.shortcut_keys, (std::vector<shortcut_key>{{15, 'S'}}));

    // A double click edits too; an empty key removes the binding.
    open();
    select("sin");
    double_click("sin", {type_key(0), press(IDOK)});
    confirm();
    EXPECT_TRUE(record.shortcut_keys.empty());
}

TEST_F(functions_page_test, an_edited_entry_keeps_its_own_key_and_its_place_in_name_order) {
    record.user_function_texts = {"sq(a,b)=a*b//"};
    record.shortcut_keys = {{INT_MIN, 'Q'}};
    open();
    select("sq");
    observations seen = click(IDC_EDIT_FUNCTION, {fill({"aaa", "a, b", "a*b", "", 'Q'}), press(IDOK)});
    EXPECT_TRUE(seen.messages.empty());
    EXPECT_EQ(rows.text(0, function_list::name_column), "aaa");
    EXPECT_EQ(cell("aaa", function_list::key_column), "Q");
    confirm();
    EXPECT_EQ(record.user_function_texts, std::vector<std::string>{"aaa(a, b)=a*b//"});
    EXPECT_EQ(record.shortcut_keys, (std::vector<shortcut_key>{{INT_MIN, 'Q'}}));
}

TEST_F(functions_page_test, delete_asks_first_and_only_user_rows_can_go) {
    record.user_function_texts = {"sq(a,b)=a*b//"};
    open();
    select("sqrt");
    EXPECT_FALSE(enabled(IDC_DELETE_FUNCTION));
    select("sq");
    EXPECT_TRUE(enabled(IDC_DELETE_FUNCTION));

    observations seen = click(IDC_DELETE_FUNCTION, {answer(IDNO)});
    ASSERT_EQ(seen.messages.size(), 1u);
    EXPECT_EQ(utf8_from_sjis(seen.messages[0]), "ユーザ関数を削除してよろしいですか？");
    EXPECT_GE(row_of("sq"), 0);

    click(IDC_DELETE_FUNCTION, {answer(IDYES)});
    EXPECT_LT(row_of("sq"), 0);
    confirm();
    EXPECT_TRUE(record.user_function_texts.empty());
}

// A hand-edited text the engine cannot read is not listed, but a confirmed
// sheet writes it back unchanged, after the listed ones, with its key.
TEST_F(functions_page_test, a_stored_definition_the_engine_rejects_is_kept_unlisted_with_its_key) {
    record.user_function_texts = {"broken", "f(x)=x*2//twice", ""};
    record.shortcut_keys = {{INT_MIN, 'B'}, {INT_MIN | 1, 'F'}};
    open();
    EXPECT_EQ(rows.row_count(), cal::builtin_function_count + 1);
    EXPECT_EQ(cell("f", function_list::key_column), "F");
    EXPECT_EQ(cell("f", function_list::description_column), "twice");
    confirm();
    EXPECT_EQ(record.user_function_texts, (std::vector<std::string>{"f(x)=x*2//twice", "broken"}));
    EXPECT_EQ(record.shortcut_keys, (std::vector<shortcut_key>{{INT_MIN, 'F'}, {INT_MIN | 1, 'B'}}));
}

} // namespace
