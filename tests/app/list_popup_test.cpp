// The history and variable popup on a real main window: its rows, keys,
// scrolling, deletion with confirmation, and closing on focus loss.
#include "app/list_popup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "resources/resource.h"
#include "support/open_list_popup.h"
#include "support/sjis.h"
#include "ui/application.h"
#include "ui/text.h"

namespace {

namespace fs = std::filesystem;

void pump_messages() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// Answers the next "Tarvik" message box with the button given, from another
// thread, since the box runs its own modal loop; a given
// meanwhile gives it a moment to act while the box is up.
class message_box_answerer {
public:
    explicit message_box_answerer(int button, std::function<void()> meanwhile = {})
        : worker_([this, button, meanwhile] {
              for (int tries = 0; tries < 500 && !stop_; ++tries) {
                  if (HWND box = FindWindowA("#32770", "Tarvik")) {
                      EnumChildWindows(box, read_text, reinterpret_cast<LPARAM>(&question_));
                      if (meanwhile)
                          meanwhile();
                      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                      answered_ = true;
                      return;
                  }
                  Sleep(10);
              }
          }) {}
    ~message_box_answerer() {
        stop_ = true;
        if (worker_.joinable())
            worker_.join();
    }
    bool answered() const { return answered_; }
    // The question the box asked, in code page 932 (read before answering).
    std::string question() {
        worker_.join();
        return question_;
    }

private:
    static BOOL CALLBACK read_text(HWND child, LPARAM into) {
        char class_name[16] = {};
        char text[256] = {};
        GetClassNameA(child, class_name, sizeof class_name);
        if (lstrcmpiA(class_name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
            *reinterpret_cast<std::string*>(into) = text;
        return TRUE;
    }

    std::string question_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread worker_;
};

class list_popup_test : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("tarvik_popup_") + info->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        std::string history;
        for (int i = 1; i <= 60; ++i)
            history += std::to_string(i) + "+0 = " + std::to_string(i) + "\r\n";
        write_file("history.txt", history + "\r\n"); // the newest entry is empty
        write_file("var.txt", "b = 2\r\na = 0.5\r\nB = -2.5\r\n");

        owner_ = std::make_unique<main_window>(folder_.string() + "\\");
        ASSERT_TRUE(owner_->create(nullptr));
        ShowWindow(owner_->handle(), SW_SHOW);
        owner_->finish_start();
        pump_messages();
        popup_ = std::make_unique<list_popup>(*owner_);
    }
    void TearDown() override {
        popup_.reset();
        if (owner_ && owner_->handle())
            DestroyWindow(owner_->handle());
        pump_messages();
        owner_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    void write_file(const char* name, const std::string& text) const {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }

    HWND list() { return popup_->list().handle(); }
    int row_count() { return static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0)); }
    std::string row(int index) {
        std::string text(static_cast<std::size_t>(SendMessageA(list(), LB_GETTEXTLEN, index, 0)), '\0');
        SendMessageA(list(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    void select(int index) { SendMessageA(list(), LB_SETCURSEL, index, 0); }
    void press(UINT key) {
        SendMessageA(list(), WM_KEYDOWN, key, 1);
        pump_messages();
    }
    std::string editor_text() {
        std::string text;
        get_window_text(editor(), text);
        return text;
    }
    void send_menu_command(UINT id) {
        SendMessageA(popup_->handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump_messages();
    }

    application app_{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    fs::path folder_;
    std::unique_ptr<main_window> owner_;
    // The editor the popups drop down from.
    HWND editor() const { return owner_->list_anchor(); }
    HFONT editor_font() const { return reinterpret_cast<HFONT>(SendMessageA(editor(), WM_GETFONT, 0, 0)); }
    std::unique_ptr<list_popup> popup_;
};

TEST_F(list_popup_test, history_rows_are_newest_first_below_the_editor) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    char class_name[32] = {};
    GetClassNameA(popup_->handle(), class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "list_container");

    RECT field{}, popup{};
    GetWindowRect(editor(), &field);
    GetWindowRect(popup_->handle(), &popup);
    EXPECT_EQ(popup.left, field.left);
    EXPECT_EQ(popup.right - popup.left, field.right - field.left);
    EXPECT_EQ(popup.bottom - popup.top, list_popup::HEIGHT);
    EXPECT_EQ(GetDlgCtrlID(list()), 0);

    ASSERT_EQ(row_count(), 50);
    EXPECT_EQ(row(0), " = "); // the empty last line of the file
    EXPECT_EQ(row(1), "60+0 = 60");
    EXPECT_EQ(row(49), "12+0 = 12");
    EXPECT_TRUE(popup_->list().scroll_bar_shown());
}

TEST_F(list_popup_test, variable_rows_follow_name_order) {
    ASSERT_TRUE(popup_->open(variable_list));
    pump_messages();
    std::vector<std::string> rows;
    for (int i = 0; i < row_count(); ++i)
        rows.push_back(row(i));
    EXPECT_EQ(rows, (std::vector<std::string>{"B = -2.5", "a = 0.5", "ans = 0", "b = 2"}));
    EXPECT_FALSE(popup_->list().scroll_bar_shown());
}

TEST_F(list_popup_test, closing_keys_close_without_deleting) {
    for (UINT key : {VK_DELETE, VK_ESCAPE, VK_BACK}) {
        ASSERT_TRUE(popup_->open(history_list));
        pump_messages();
        select(1);
        press(key);
        EXPECT_FALSE(popup_->is_open()) << key;
        EXPECT_EQ(owner_->list_rows(history_list).size(), 50u) << key;
    }
}

TEST_F(list_popup_test, enter_uses_the_selected_entry_and_only_a_selected_one) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    press(VK_RETURN);
    EXPECT_TRUE(popup_->is_open()); // nothing selected: Enter does nothing

    select(2);
    press(VK_RETURN);
    EXPECT_FALSE(popup_->is_open());
    EXPECT_EQ(editor_text(), "59+0");
    EXPECT_EQ(GetFocus(), editor());
}

TEST_F(list_popup_test, losing_the_focus_closes_the_popup) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    ASSERT_EQ(GetFocus(), list());
    SetFocus(editor());
    pump_messages();
    EXPECT_FALSE(popup_->is_open());
    // The next opening creates the popup anew.
    ASSERT_TRUE(popup_->open(variable_list));
    EXPECT_TRUE(popup_->is_open());
}

TEST_F(list_popup_test, answering_no_changes_nothing_and_keeps_the_popup) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    select(3);
    {
        message_box_answerer no(IDNO);
        send_menu_command(IDM_LIST_DELETE_ALL);
        EXPECT_TRUE(no.answered());
    }
    pump_messages();
    EXPECT_TRUE(popup_->is_open());
    EXPECT_EQ(row_count(), 50);
    EXPECT_EQ(owner_->list_rows(history_list).size(), 50u);
}

TEST_F(list_popup_test, deleting_a_row_removes_the_same_entry) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    select(3);
    {
        message_box_answerer yes(IDYES);
        send_menu_command(IDM_LIST_DELETE);
        EXPECT_TRUE(yes.answered());
    }
    pump_messages();
    EXPECT_TRUE(popup_->is_open());
    ASSERT_EQ(row_count(), 49);
    EXPECT_EQ(row(3), "57+0 = 57");
    EXPECT_EQ(owner_->list_rows(history_list)[3], "57+0 = 57");

    {
        message_box_answerer yes(IDYES);
        send_menu_command(IDM_LIST_DELETE_ALL);
    }
    pump_messages();
    EXPECT_EQ(row_count(), 0);
    EXPECT_TRUE(owner_->list_rows(history_list).empty());
}

TEST_F(list_popup_test, deleting_all_variables_empties_the_engine) {
    ASSERT_TRUE(popup_->open(variable_list));
    pump_messages();
    {
        message_box_answerer yes(IDYES);
        send_menu_command(IDM_LIST_DELETE_ALL);
    }
    pump_messages();
    EXPECT_EQ(row_count(), 0);
    EXPECT_TRUE(owner_->list_rows(variable_list).empty());
}

TEST_F(list_popup_test, menu_close_closes) {
    ASSERT_TRUE(popup_->open(variable_list));
    pump_messages();
    send_menu_command(IDM_LIST_CLOSE);
    EXPECT_FALSE(popup_->is_open());
}

// Opening a popup costs seconds under Wine, so the cases share one popup.
TEST_F(list_popup_test, bar_and_list_move_together) {
    struct scroll_case {
        UINT code;
        int start;
        int expected_top;
    };
    const scroll_case cases[] = {
        {SB_LINEDOWN, 0, 1},      {SB_LINEUP, 5, 4}, {SB_LINEUP, 0, 0}, // stays at the top
        {SB_THUMBPOSITION, 7, 7},                                       // ignored
        {SB_ENDSCROLL, 3, 3},                                           // ignored
    };
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    for (const auto& c : cases) {
        // Start from a known position, as a dragged thumb leaves it.
        SendMessageA(list(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, c.start), 0);
        ASSERT_EQ(SendMessageA(list(), LB_GETTOPINDEX, 0, 0), c.start);
        SendMessageA(list(), WM_VSCROLL, MAKEWPARAM(c.code, 0), 0);
        EXPECT_EQ(SendMessageA(list(), LB_GETTOPINDEX, 0, 0), c.expected_top)
            << c.code << " from " << c.start;
        EXPECT_EQ(GetScrollPos(list(), SB_VERT), c.expected_top) << c.code << " from " << c.start;
    }
}

TEST_F(list_popup_test, pages_move_by_the_visible_rows) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    RECT client{};
    GetClientRect(list(), &client);
    const int page = client.bottom / static_cast<int>(SendMessageA(list(), LB_GETITEMHEIGHT, 0, 0));
    SendMessageA(list(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(SendMessageA(list(), LB_GETTOPINDEX, 0, 0), page);
    SendMessageA(list(), WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    EXPECT_EQ(SendMessageA(list(), LB_GETTOPINDEX, 0, 0), 0);
}

// What the context menu showed, read from another thread while the menu's
// modal loop runs, which is then cancelled.
struct shown_menu {
    std::vector<std::string> items;
    bool delete_greyed = false;
};

shown_menu track_context_menu(HWND list, HWND popup) {
    shown_menu shown;
    std::thread reader([&] {
        for (int tries = 0; tries < 500; ++tries) {
            HWND menu_window = FindWindowA("#32768", nullptr);
            HMENU menu = menu_window ? reinterpret_cast<HMENU>(SendMessageA(menu_window, MN_GETHMENU, 0, 0))
                                     : nullptr;
            if (menu) {
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    char text[64] = {};
                    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                    shown.items.push_back(utf8_from_sjis(text));
                }
                shown.delete_greyed = (GetMenuState(menu, IDM_LIST_DELETE, MF_BYCOMMAND) & MF_GRAYED) != 0;
                PostMessageA(popup, WM_CANCELMODE, 0, 0);
                return;
            }
            Sleep(10);
        }
    });
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    reader.join();
    return shown;
}

TEST_F(list_popup_test, context_menu_greys_delete_without_a_selection) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    const shown_menu without = track_context_menu(list(), popup_->handle());
    EXPECT_EQ(without.items, (std::vector<std::string>{"閉じる(&C)", "", "削除(&D)", "全て削除(&A)"}));
    EXPECT_TRUE(without.delete_greyed);

    select(1);
    const shown_menu with = track_context_menu(list(), popup_->handle());
    EXPECT_FALSE(with.delete_greyed);
    pump_messages();
    EXPECT_TRUE(popup_->is_open());
}

TEST_F(list_popup_test, list_has_the_editors_colours_and_font) {
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    HDC dc = GetDC(list());
    const auto brush = SendMessageA(popup_->handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(list()));
    EXPECT_EQ(brush, SendMessageA(owner_->handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(editor())));
    ReleaseDC(list(), dc);

    // A font of its own made like the editor's, never the editor's handle.
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(list(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font, editor_font());
    LOGFONTA mine{}, editors{};
    GetObjectA(font, sizeof mine, &mine);
    GetObjectA(editor_font(), sizeof editors, &editors);
    EXPECT_STREQ(mine.lfFaceName, editors.lfFaceName);
    EXPECT_EQ(mine.lfHeight, editors.lfHeight);
}

// Every delete command asks its own question; Yes deletes the same entries
// from the store and the list, No changes neither. The popup stays open.
TEST_F(list_popup_test, deletions_ask_and_keep_store_and_list_in_step) {
    struct deletion_case {
        list_kind kind;
        UINT command;
        int button;
        const char* question;
        std::vector<std::string> first_rows; // the rows left, from the top
    };
    const deletion_case cases[] = {
        {history_list,
         IDM_LIST_DELETE,
         IDNO,
         "選択された計算履歴を削除してよろしいですか？",
         {" = ", "60+0 = 60", "59+0 = 59"}},
        {history_list,
         IDM_LIST_DELETE,
         IDYES,
         "選択された計算履歴を削除してよろしいですか？",
         {" = ", "59+0 = 59", "58+0 = 58"}},
        {history_list,
         IDM_LIST_DELETE_ALL,
         IDNO,
         "全ての計算履歴を削除してよろしいですか？",
         {" = ", "59+0 = 59", "58+0 = 58"}},
        {variable_list,
         IDM_LIST_DELETE,
         IDNO,
         "選択された変数を削除してよろしいですか？",
         {"B = -2.5", "a = 0.5", "ans = 0", "b = 2"}},
        {variable_list,
         IDM_LIST_DELETE,
         IDYES,
         "選択された変数を削除してよろしいですか？",
         {"B = -2.5", "ans = 0", "b = 2"}},
        {variable_list,
         IDM_LIST_DELETE_ALL,
         IDNO,
         "全ての変数を削除してよろしいですか？",
         {"B = -2.5", "ans = 0", "b = 2"}},
        {history_list, IDM_LIST_DELETE_ALL, IDYES, "全ての計算履歴を削除してよろしいですか？", {}},
    };
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.kind) + "/" + std::to_string(c.command) + "/" +
                                  std::to_string(c.button);
        ASSERT_TRUE(popup_->open(c.kind)) << label;
        pump_messages();
        select(1);
        std::string question;
        {
            message_box_answerer answer(c.button);
            send_menu_command(c.command);
            question = answer.question();
        }
        pump_messages();
        EXPECT_EQ(question, sjis(c.question)) << label;
        EXPECT_TRUE(popup_->is_open()) << label;

        // The list shows the store as it is now, row i being entry i.
        std::vector<std::string> rows;
        for (int i = 0; i < row_count(); ++i)
            rows.push_back(row(i));
        std::vector<std::string> store;
        for (const std::string& entry : owner_->list_rows(c.kind))
            store.push_back(c.kind == history_list ? entry : entry.substr(0, entry.find(" = ")));
        ASSERT_EQ(rows.size(), store.size()) << label;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (c.kind == history_list)
                EXPECT_EQ(rows[i], store[i]) << label << " row " << i;
            else
                EXPECT_EQ(rows[i].substr(0, store[i].size() + 3), store[i] + " = ") << label << " row " << i;
        }
        const std::vector<std::string> top(
            rows.begin(),
            rows.begin() + static_cast<std::ptrdiff_t>(std::min(rows.size(), c.first_rows.size())));
        EXPECT_EQ(top, c.first_rows) << label;
        popup_->close();
    }
}

// Popups of this thread's list class, shown or not.
int popup_windows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, list_popup::CLASS_NAME) == 0)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

void post_characters(HWND window, const std::string& characters) {
    for (unsigned char c : characters)
        PostMessageA(window, WM_CHAR, c, 1);
}

// While the deletion question is up, the calculator commits an expression
// (posted to the editor, as nothing typed reaches the disabled window): the
// index asked about now names another entry, so Yes deletes nothing, and the
// list shows the store as it is.
struct commit_meanwhile_case {
    list_kind kind;
    int selected;
    const char* typed;
    const char* kept_row;
};

class commits_during_a_deletion : public list_popup_test,
                                  public testing::WithParamInterface<commit_meanwhile_case> {};

TEST_P(commits_during_a_deletion, delete_nothing_and_keep_list_and_store_in_step) {
    const commit_meanwhile_case& c = GetParam();
    ASSERT_TRUE(popup_->open(c.kind));
    pump_messages();
    select(c.selected);
    const std::string chosen = row(c.selected);
    std::atomic<bool> calculator_enabled{true};
    {
        message_box_answerer yes(IDYES, [&] {
            calculator_enabled = IsWindowEnabled(owner_->handle()) != FALSE;
            post_characters(editor(), c.typed);
        });
        send_menu_command(IDM_LIST_DELETE);
        EXPECT_TRUE(yes.answered());
    }
    pump_messages();
    EXPECT_FALSE(calculator_enabled);
    EXPECT_TRUE(IsWindowEnabled(owner_->handle()));

    std::vector<std::string> rows;
    for (int i = 0; i < row_count(); ++i)
        rows.push_back(row(i));
    EXPECT_EQ(rows, owner_->list_rows(c.kind));
    EXPECT_NE(std::find(rows.begin(), rows.end(), c.kept_row), rows.end());
    if (c.kind == history_list) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), chosen), rows.end());
    }
}

INSTANTIATE_TEST_SUITE_P(lists, commits_during_a_deletion,
                         testing::Values(commit_meanwhile_case{history_list, 1, "7\r", "7 = 7"},
                                         commit_meanwhile_case{variable_list, 1, "a=9\r", "a = 9"}));

TEST_F(list_popup_test, page_keys_during_a_deletion_open_no_second_popup) {
    SendMessageA(editor(), WM_KEYDOWN, VK_NEXT, 1);
    pump_messages();
    list_popup* const opened = open_list_popup_of(owner_->handle());
    ASSERT_NE(opened, nullptr);
    list_popup& own = *opened;
    ASSERT_TRUE(own.is_open());
    const HWND first = own.handle();
    SendMessageA(own.list().handle(), LB_SETCURSEL, 1, 0);
    {
        message_box_answerer no(IDNO, [&] {
            PostMessageA(editor(), WM_KEYDOWN, VK_PRIOR, 1);
            PostMessageA(editor(), WM_KEYDOWN, VK_NEXT, 1);
        });
        SendMessageA(first, WM_COMMAND, MAKEWPARAM(IDM_LIST_DELETE, 0), 0);
        EXPECT_TRUE(no.answered());
    }
    pump_messages();
    EXPECT_EQ(own.handle(), first);
    EXPECT_EQ(popup_windows(), 1);
    own.close();
    EXPECT_EQ(popup_windows(), 0);
}

// A history entry brings back its stored answer, not a fresh evaluation; a
// variable's name goes in at the editor's selection.
TEST_F(list_popup_test, picking_an_entry_fills_the_editor) {
    SendMessageA(owner_->handle(), WM_COMMAND, MAKEWPARAM(IDM_HEX, 0), 0); // 60+0 would show 0x3C
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    select(1);
    press(VK_RETURN);
    EXPECT_FALSE(popup_->is_open());
    EXPECT_EQ(editor_text(), "60+0");
    // The answer display: the owner's other edit control.
    HWND display = FindWindowExA(owner_->handle(), nullptr, "Edit", nullptr);
    if (display == editor())
        display = FindWindowExA(owner_->handle(), display, "Edit", nullptr);
    std::string answer;
    get_window_text(display, answer);
    EXPECT_EQ(answer, "60");
    EXPECT_EQ(owner_->current_answer_state(), edited);

    SetWindowTextA(editor(), "1+2");
    SendMessageA(editor(), EM_SETSEL, 2, 3);
    ASSERT_TRUE(popup_->open(variable_list));
    pump_messages();
    select(1); // a
    SendMessageA(popup_->handle(), WM_COMMAND, MAKEWPARAM(popup_list_box::CONTROL_ID, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list()));
    pump_messages();
    EXPECT_FALSE(popup_->is_open());
    EXPECT_EQ(editor_text(), "1+a");
}

// The message loop translates the accelerators for the main window whatever
// window the key is for, so the answer form switches from the list too.
TEST_F(list_popup_test, answer_form_accelerators_work_from_the_list) {
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(accelerators, nullptr);
    ASSERT_TRUE(popup_->open(history_list));
    pump_messages();
    ASSERT_EQ(GetFocus(), list());

    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    GetKeyboardState(held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held);
    const struct {
        WORD key;
        int mode;
    } cases[] = {{'H', 4}, {'O', 3}, {'B', 2}, {'A', 1}, {'D', 0}};
    for (const auto& c : cases) {
        MSG key{list(), WM_KEYDOWN, c.key, 1, 0, {0, 0}};
        EXPECT_TRUE(TranslateAcceleratorA(owner_->handle(), accelerators, &key)) << char(c.key);
        pump_messages();
        EXPECT_EQ(owner_->current_settings().answer_mode, c.mode) << char(c.key);
    }
    SetKeyboardState(saved);
    EXPECT_TRUE(popup_->is_open());
}

} // namespace
