// Reading texts of any length back out of controls.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/text.h"
#include "ui_fixture.h"

namespace {

class text_test : public ui_test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        parent = CreateWindowExA(0, test_class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, app.instance(), nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
};

// Lengths around the 256-byte steps of the growing buffer.
std::string text_of_length(std::size_t length) {
    std::string text;
    while (text.size() + 2 <= length)
        text += sjis("式");
    if (text.size() < length)
        text += 'x';
    return text;
}

TEST_F(text_test, list_view_items_and_subitems_come_back_whole) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, parent, nullptr,
                                app.instance(), nullptr);
    ASSERT_NE(nullptr, list);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

    for (std::size_t length : {0u, 1u, 253u, 254u, 255u, 256u, 600u}) {
        std::string item_text = text_of_length(length);
        std::string subitem_text = "sub" + text_of_length(length);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.pszText = item_text.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = subitem_text.data();
        SendMessageA(list, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));

        std::string text = "previous";
        get_list_view_item_text(list, 0, 0, text);
        EXPECT_EQ(item_text, text) << length;
        get_list_view_item_text(list, 0, 1, text);
        EXPECT_EQ(subitem_text, text) << length;
        get_list_view_item_text(list, 5, 0, text); // no such item
        EXPECT_EQ("", text) << length;
    }
}

TEST_F(text_test, combo_box_selection_text_is_empty_without_a_selection) {
    HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 200, 200, parent,
                                 nullptr, app.instance(), nullptr);
    ASSERT_NE(nullptr, combo);
    const std::string long_face = text_of_length(300);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("ＭＳ ゴシック").c_str()));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(long_face.c_str()));

    std::string text = "previous";
    get_combo_selection_text(combo, text);
    EXPECT_EQ("", text);

    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    get_combo_selection_text(combo, text);
    EXPECT_EQ(sjis("ＭＳ ゴシック"), text);

    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    get_combo_selection_text(combo, text);
    EXPECT_EQ(long_face, text);
}

TEST_F(text_test, window_text_of_any_length_and_of_no_window) {
    for (std::size_t length : {0u, 1u, 255u, 1000u}) {
        std::string expected = text_of_length(length);
        SetWindowTextA(parent, expected.c_str());
        std::string text = "previous";
        EXPECT_EQ(static_cast<int>(length), get_window_text(parent, text));
        EXPECT_EQ(expected, text);
    }
    std::string text = "previous";
    EXPECT_EQ(0, get_window_text(nullptr, text));
    EXPECT_EQ("", text);
}

TEST_F(text_test, program_resources_hold_the_icon_and_version) {
    for (int size : {16, 32}) {
        HANDLE icon = LoadImageA(app.instance(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, size, size, 0);
        EXPECT_NE(nullptr, icon) << size;
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
    HRSRC version = FindResourceA(app.instance(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    ASSERT_NE(nullptr, version);
    auto* data = static_cast<const char*>(LockResource(LoadResource(app.instance(), version)));
    std::string block(data, SizeofResource(app.instance(), version));
    // The version strings are UTF-16 in the resource.
    std::string description;
    for (char ch : std::string("Desktop Scientific Calculator")) {
        description += ch;
        description += '\0';
    }
    EXPECT_NE(std::string::npos, block.find(description));
}

} // namespace
