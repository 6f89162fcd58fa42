// Real windows under the framework: attaching objects to windows of own
// classes and to subclassed controls, and the registry's lifetime rules.
#include <cctype>
#include <string>
#include <vector>

#include "ui/text.h"
#include "ui/window.h"
#include "ui/window_registry.h"
#include "ui_fixture.h"

namespace {

class recording_window : public window {
public:
    int min_max_queries = 0;
    int creations = 0;
    int destructions = 0;
    HWND handle_at_create = nullptr;

    void on_get_min_max_info(MINMAXINFO* info) override {
        ++min_max_queries;
        window::on_get_min_max_info(info);
    }
    bool on_create(CREATESTRUCTA* creation) override {
        ++creations;
        handle_at_create = handle();
        return window::on_create(creation);
    }
    void on_destroy() override {
        ++destructions;
        window::on_destroy();
    }
};

// Typed letters come out in capitals; the edit control does the rest.
class capitals_edit : public window {
public:
    void on_char(UINT character, UINT key_data) override {
        window::on_char(static_cast<UINT>(std::toupper(static_cast<int>(character))), key_data);
    }
};

using window_test = ui_test;

bool create_test_window(window& object, DWORD style = WS_OVERLAPPEDWINDOW) {
    return object.create(0, test_class_name, "test", style, 10, 10, 200, 100, nullptr, nullptr);
}

TEST_F(window_test, own_class_window_is_attached_at_creation_and_forgotten_at_destruction) {
    recording_window object;
    ASSERT_TRUE(create_test_window(object));
    HWND handle = object.handle();
    ASSERT_NE(nullptr, handle);

    EXPECT_EQ(1, object.creations);
    EXPECT_EQ(handle, object.handle_at_create);
    EXPECT_EQ(&object, app.registry().find(handle));

    DestroyWindow(handle);
    EXPECT_EQ(1, object.destructions);
    EXPECT_EQ(nullptr, app.registry().find(handle));
    EXPECT_EQ(nullptr, object.handle());
    EXPECT_EQ(0u, app.registry().size());
}

// The messages the thread's windows receive, in the order they are sent.
std::vector<UINT> sent_messages;

LRESULT CALLBACK record_sent_message(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (sent->message == WM_GETMINMAXINFO || sent->message == WM_NCCREATE)
            sent_messages.push_back(sent->message);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(window_test, size_query_before_non_client_creation_goes_to_the_default_procedure) {
    recording_window object;
    sent_messages.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, record_sent_message, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    bool created = create_test_window(object);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(created);
    // A size query did come before WM_NCCREATE, and the object never saw it:
    // the default procedure answered it.
    ASSERT_GE(sent_messages.size(), 2u);
    EXPECT_EQ(static_cast<UINT>(WM_GETMINMAXINFO), sent_messages.front());
    EXPECT_EQ(0, object.min_max_queries);
    // Once attached, the object answers the query.
    SetWindowPos(object.handle(), nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(object.min_max_queries, 1);
    DestroyWindow(object.handle());
}

TEST_F(window_test, refused_creation_attaches_nothing) {
    recording_window object;
    EXPECT_FALSE(object.create(0, "no_such_class_here", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(nullptr, object.handle());
    EXPECT_EQ(0u, app.registry().size());
}

TEST_F(window_test, set_text_reaches_the_default_procedure_and_answers_one) {
    recording_window object;
    ASSERT_TRUE(create_test_window(object));
    EXPECT_EQ(1, SendMessageA(object.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Tarvik")));
    std::string text;
    EXPECT_EQ(6, object.get_window_text(text));
    EXPECT_EQ("Tarvik", text);
    SetWindowTextA(object.handle(), "");
    EXPECT_EQ(0, object.get_window_text(text));
    EXPECT_EQ("", text);
    DestroyWindow(object.handle());
}

TEST_F(window_test, subclassed_edit_control_keeps_its_own_behaviour_behind_the_object) {
    HWND parent = CreateWindowExA(0, test_class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                  nullptr, app.instance(), nullptr);
    capitals_edit edit;
    ASSERT_TRUE(edit.create_edit_control(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, parent,
                                         reinterpret_cast<HMENU>(100)));
    EXPECT_EQ(&edit, app.registry().find(edit.handle()));
    EXPECT_NE(reinterpret_cast<WNDPROC>(DefWindowProcA), edit.previous_procedure());

    for (char ch : std::string("ans+1"))
        SendMessageA(edit.handle(), WM_CHAR, static_cast<WPARAM>(ch), 1);
    std::string text;
    edit.get_window_text(text);
    EXPECT_EQ("ANS+1", text);

    // Unlisted messages reach the control unchanged.
    SendMessageA(edit.handle(), EM_SETSEL, 0, -1);
    DWORD start = 0, end = 0;
    SendMessageA(edit.handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);

    HWND edit_handle = edit.handle();
    DestroyWindow(parent);
    EXPECT_EQ(nullptr, app.registry().find(edit_handle));
    EXPECT_EQ(nullptr, edit.handle());
}

TEST_F(window_test, subclassed_list_box_answers_through_its_own_procedure) {
    HWND parent = CreateWindowExA(0, test_class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr, app.instance(), nullptr);
    window list;
    ASSERT_TRUE(list.create_list_box_control(0, "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 200, 100,
                                             parent, reinterpret_cast<HMENU>(101)));
    EXPECT_EQ(0, SendMessageA(list.handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("1+2")));
    EXPECT_EQ(1, SendMessageA(list.handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("3")));
    EXPECT_EQ(2, SendMessageA(list.handle(), LB_GETCOUNT, 0, 0));
    DestroyWindow(parent);
    EXPECT_EQ(0u, app.registry().size());
}

TEST_F(window_test, control_that_cannot_be_created_attaches_nothing) {
    window edit;
    // A child control needs a parent.
    EXPECT_FALSE(edit.create_edit_control(0, "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, edit.handle());
    EXPECT_EQ(0u, app.registry().size());
}

TEST_F(window_test, reused_handle_reaches_the_new_object_not_the_destroyed_one) {
    auto* old_object = new recording_window;
    ASSERT_TRUE(create_test_window(*old_object));
    HWND handle = old_object->handle();
    DestroyWindow(handle);
    delete old_object;

    // Until a new window gets the value, its messages find no object.
    EXPECT_EQ(nullptr, app.registry().find(handle));

    // The system hands the same value to a new window: its creation attaches
    // the new object, and the messages that follow reach it, not the deleted one.
    struct colour_watcher : recording_window {
        int colour_changes = 0;
        void on_sys_color_change() override { ++colour_changes; }
    } new_object;
    CREATESTRUCTA creation{};
    creation.lpCreateParams = &new_object;
    window_procedure(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&creation));
    EXPECT_EQ(&new_object, app.registry().find(handle));
    EXPECT_EQ(handle, new_object.handle());
    window_procedure(handle, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(1, new_object.colour_changes);
    window_procedure(handle, WM_NCDESTROY, 0, 0);
    EXPECT_EQ(nullptr, app.registry().find(handle));
}

TEST_F(window_test, object_destroyed_before_its_window_receives_no_more_messages) {
    HWND parent = CreateWindowExA(0, test_class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                  nullptr, app.instance(), nullptr);
    auto* own = new recording_window;
    ASSERT_TRUE(create_test_window(*own));
    auto* edit = new capitals_edit;
    ASSERT_TRUE(edit->create_edit_control(0, "", WS_CHILD, 0, 0, 100, 20, parent, nullptr));
    HWND own_handle = own->handle();
    HWND edit_handle = edit->handle();
    delete own;
    delete edit;
    EXPECT_EQ(0u, app.registry().size());

    // The windows live on without their objects: the default procedure and
    // the control's own procedure answer.
    EXPECT_TRUE(SetWindowTextA(own_handle, "still here"));
    for (char ch : std::string("ab"))
        SendMessageA(edit_handle, WM_CHAR, static_cast<WPARAM>(ch), 1);
    std::string text;
    get_window_text(edit_handle, text);
    EXPECT_EQ("ab", text);
    DestroyWindow(own_handle);
    DestroyWindow(parent);
}

TEST(window_registry, keeps_the_first_object_of_a_handle_until_it_is_removed) {
    window_registry registry;
    window first, second;
    auto handle = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(nullptr, registry.find(handle));
    registry.insert(handle, &first);
    registry.insert(handle, &second);
    EXPECT_EQ(&first, registry.find(handle));
    registry.remove(handle);
    EXPECT_EQ(nullptr, registry.find(handle));
    registry.insert(handle, &second);
    EXPECT_EQ(&second, registry.find(handle));
    registry.clear();
    EXPECT_EQ(0u, registry.size());
}

TEST_F(window_test, pump_one_dispatches_one_posted_message) {
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(0, app.pump_one());

    recording_window object;
    ASSERT_TRUE(create_test_window(object));
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
    }
    // WM_CLOSE reaches the default procedure, which destroys the window.
    PostMessageA(object.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, app.pump_one());
    EXPECT_EQ(1, object.destructions);
    EXPECT_EQ(nullptr, object.handle());
}

} // namespace
