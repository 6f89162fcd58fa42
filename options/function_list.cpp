#include "options/function_list.h"

#include <commctrl.h>

#include <vector>

#include "resources/resource.h"
#include "ui/dpi_scale.h"
#include "ui/program_resources.h"

namespace {

// Widths in pixels at 96 DPI. The description takes what the others leave of
// the list's width (at least its minimum), so that every column shows without
// a horizontal scroll bar, the key column included.
struct column_layout {
    UINT title_id;
    int width;
    bool takes_the_rest;
};

constexpr column_layout columns[] = {
    {IDS_FUNCTION_COLUMN_NAME, 60, false},
    {IDS_FUNCTION_COLUMN_ARGUMENTS, 45, false},
    {IDS_FUNCTION_COLUMN_DESCRIPTION, 60, true},
    {IDS_FUNCTION_COLUMN_KEY, 40, false},
};

// The built-in functions alone fill more rows than the list shows, so its
// vertical scroll bar is always there.
int column_width(HWND list, const column_layout& column, dpi_scale scale) {
    if (!column.takes_the_rest)
        return scale(column.width);
    RECT client{};
    GetClientRect(list, &client);
    int rest = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (const column_layout& other : columns) {
        if (!other.takes_the_rest)
            rest -= scale(other.width);
    }
    return rest > scale(column.width) ? rest : scale(column.width);
}

HIMAGELIST make_row_icons() {
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 2, 0);
    for (int id : {IDI_BUILTIN_FUNCTION, IDI_USER_FUNCTION}) {
        auto icon = static_cast<HICON>(
            LoadImageA(program_instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(icons, icon);
        if (icon)
            DestroyIcon(icon);
    }
    return icons;
}

} // namespace

void function_list::set_up() {
    ListView_SetExtendedListViewStyle(control_, LVS_EX_FULLROWSELECT);
    const dpi_scale scale = system_dpi_scale();
    for (int index = 0; index < static_cast<int>(std::size(columns)); ++index) {
        std::string title = load_text(columns[index].title_id);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = column_width(control_, columns[index], scale);
        column.iSubItem = index;
        SendMessageA(control_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
    ListView_SetImageList(control_, make_row_icons(), LVSIL_SMALL);
}

int function_list::insert_row(const std::string& name, int image, std::unique_ptr<function_item> item) {
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = row_count();
    row.pszText = const_cast<char*>(name.c_str());
    row.iImage = image;
    row.lParam = reinterpret_cast<LPARAM>(item.get());
    int index = static_cast<int>(SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    if (index >= 0)
        item.release();
    return index;
}

std::unique_ptr<function_item> function_list::take_row(int row) {
    std::unique_ptr<function_item> owned(item(row));
    ListView_DeleteItem(control_, row);
    return owned;
}

void function_list::clear() {
    for (int row = 0; row < row_count(); ++row)
        delete item(row);
    ListView_DeleteAllItems(control_);
}

void function_list::select(int row) {
    ListView_SetItemState(control_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(control_, row);
    ListView_EnsureVisible(control_, row, FALSE);
}

int function_list::row_count() const { return ListView_GetItemCount(control_); }

std::string function_list::text(int row, int column) const {
    // The control copies at most the buffer's size less one; a text that
    // fills the buffer may have been cut, so the buffer grows until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = buffer.data();
        cell.cchTextMax = static_cast<int>(buffer.size());
        auto length = static_cast<std::size_t>(
            SendMessageA(control_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell)));
        if (length + 1 < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() + 256);
    }
}

void function_list::set_text(int row, int column, const std::string& text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(control_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
}

function_item* function_list::item(int row) const {
    LVITEMA cell{};
    cell.mask = LVIF_PARAM;
    cell.iItem = row;
    if (!SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&cell)))
        return nullptr;
    return reinterpret_cast<function_item*>(cell.lParam);
}

int function_list::find_label(const std::string& name) const {
    LVFINDINFOA search{};
    search.flags = LVFI_STRING;
    search.psz = name.c_str();
    return static_cast<int>(
        SendMessageA(control_, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&search)));
}

int function_list::selection_mark() const { return ListView_GetSelectionMark(control_); }

std::string key_text(int key) {
    if (key <= 0 || key > 0xFF)
        return std::string();
    return std::string(1, static_cast<char>(key));
}

int key_of_text(const std::string& text) { return text.empty() ? -1 : static_cast<unsigned char>(text[0]); }
