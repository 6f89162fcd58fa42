// tarvik-probe: reads the state of a running Tarvik from outside, for the
// end-to-end tests. Prints UTF-8 so that shell scripts can compare texts.
//
//   tarvik-probe count           number of Tarvik main windows
//   tarvik-probe texts           one line per child control: index, class, text
//   tarvik-probe text N          the text of child control N alone
//   tarvik-probe visible         1 when the main window is visible, else 0
//   tarvik-probe foreground      class name of the foreground window
//   tarvik-probe clipboard       the clipboard's text
//   tarvik-probe set-clipboard TEXT  puts TEXT on the clipboard as Unicode text
//                                (as a browser's copy does)
//   tarvik-probe rect            left top right bottom of the main window
//   tarvik-probe child-rect N    the same for child control N (as in texts)
//   tarvik-probe item-rect TITLE ID  the same for the visible control ID
//                                anywhere inside the window titled TITLE
//                                (a dialog of Tarvik: a sheet's page controls too)
//   tarvik-probe geometry        the main window's pixel sizes that follow the
//                                DPI: grip width (the editor's left edge), the
//                                editor's and the answer display's heights,
//                                minimum tracking width and height less the
//                                system's sizing frames (SM_CXFRAME, twice)
//   tarvik-probe close           asks the main window to close (WM_CLOSE)
//   tarvik-probe list            the rows of the open history or variable list
//   tarvik-probe edit-text CLASS the text of the edit control of another
//                                program's window of that class (notepad: Notepad)
//   tarvik-probe page            the title of the open property sheet's current page
//   tarvik-probe tabs            left top right bottom of that sheet's tab strip
//   tarvik-probe message         the text of the open message box
//   tarvik-probe item-state ID   of control ID on the open sheet's current page:
//                                a hotkey control's value (HKM_GETHOTKEY),
//                                a button's check state
//   tarvik-probe modal-count     visible dialogs the main window owns, directly
//                                or through others (open modal windows)
//   tarvik-probe dialog-item ID  left top right bottom of item ID of the dialog
//                                the main window owns (the about box, say)
//
// Exit status 0 on success, 1 when no Tarvik window exists, 2 on bad usage.
#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char main_class[] = "tarvikwnd";

std::string to_utf8(const std::string& cp932) {
    if (cp932.empty())
        return {};
    int wide_length = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), wide_length);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string wide_to_utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

// WM_GETTEXT works across processes for edit controls, unlike GetWindowText.
std::string window_text(HWND window) {
    auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    auto copied = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string class_name(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK collect_main_window(HWND window, LPARAM found) {
    if (class_name(window) == main_class)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> main_windows() {
    std::vector<HWND> found;
    EnumWindows(collect_main_window, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> result;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        result.push_back(child);
    return result;
}

BOOL CALLBACK count_list_popups(HWND window, LPARAM count) {
    if (class_name(window) == "list_container" && IsWindowVisible(window))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK find_list_popup(HWND window, LPARAM found) {
    if (class_name(window) == "list_container" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Prints the rows of the drop-down list; status 1 when no list is open.
int print_list_rows() {
    HWND popup = nullptr;
    EnumWindows(find_list_popup, reinterpret_cast<LPARAM>(&popup));
    HWND list = popup ? GetWindow(popup, GW_CHILD) : nullptr;
    if (!list)
        return 1;
    // Wine hands an ANSI LB_GETTEXT across processes as one character only;
    // the wide form comes across whole.
    auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        length = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row),
                              reinterpret_cast<LPARAM>(text.data()));
        text.resize(length > 0 ? static_cast<size_t>(length) : 0);
        std::printf("%s\n", wide_to_utf8(text).c_str());
    }
    return 0;
}

// The text of the first edit control inside the top-level window of the
// class; status 1 when there is none. Read in the wide form, whole across
// processes whatever the other program's character set.
int print_edit_text(const char* window_class) {
    HWND frame = FindWindowA(window_class, nullptr);
    HWND edit = frame ? FindWindowExA(frame, nullptr, "Edit", nullptr) : nullptr;
    if (!edit)
        return 1;
    auto length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    auto copied = SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    std::printf("%s\n", wide_to_utf8(text).c_str());
    return 0;
}

// The sizes the window gets from the DPI, read as the system reads them: the
// children's rectangles and the answer to WM_GETMINMAXINFO. The probe reads
// them as a DPI-aware program, in real pixels, as the calculator sees them;
// the system's own frame, which the minimum size includes, is taken off.
int print_geometry(HWND main) {
    SetProcessDPIAware();
    const int frames = 2 * GetSystemMetrics(SM_CXFRAME);
    auto fields = children(main);
    if (fields.size() < 2)
        return 1;
    RECT editor{};
    RECT answer{};
    GetWindowRect(fields[0], &editor);
    GetWindowRect(fields[1], &answer);
    POINT editor_origin{editor.left, editor.top};
    ScreenToClient(main, &editor_origin);
    MINMAXINFO limits{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    std::printf("%ld %ld %ld %ld %ld\n", editor_origin.x, editor.bottom - editor.top,
                answer.bottom - answer.top, limits.ptMinTrackSize.x - frames,
                limits.ptMinTrackSize.y - frames);
    return 0;
}

// A visible dialog at the top level: a property sheet holds a tab control, a
// message box its text (item 0xFFFF).
BOOL CALLBACK find_dialog(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<std::pair<bool, HWND>*>(search);
    if (class_name(window) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    const bool is_sheet = FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr;
    const bool is_box = GetDlgItem(window, 0xFFFF) != nullptr;
    if (wanted.first ? is_sheet : (is_box && !is_sheet)) {
        wanted.second = window;
        return FALSE;
    }
    return TRUE;
}

HWND find_top_dialog(bool sheet) {
    std::pair<bool, HWND> search{sheet, nullptr};
    EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The open sheet: its current page's title, or its tab strip's rectangle.
int print_sheet(bool page) {
    HWND sheet = find_top_dialog(true);
    if (!sheet)
        return 1;
    if (page) {
        // PSM_GETCURRENTPAGEHWND carries no pointer, so it works across processes.
        HWND current = reinterpret_cast<HWND>(SendMessageA(sheet, WM_USER + 118, 0, 0));
        std::printf("%s\n", current ? to_utf8(window_text(current)).c_str() : "");
        return 0;
    }
    RECT rect{};
    GetWindowRect(FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr), &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

// Neither message carries a pointer, so both work across processes.
int print_item_state(int id) {
    HWND sheet = find_top_dialog(true);
    HWND page = sheet ? reinterpret_cast<HWND>(SendMessageA(sheet, WM_USER + 118, 0, 0)) : nullptr;
    HWND item = page ? GetDlgItem(page, id) : nullptr;
    if (!item)
        return 1;
    const bool hotkey_control = class_name(item) == "msctls_hotkey32";
    const LRESULT state = SendMessageA(item, hotkey_control ? WM_USER + 2 : BM_GETCHECK, 0, 0);
    std::printf("%ld\n", static_cast<long>(state));
    return 0;
}

int print_message_box_text() {
    HWND box = find_top_dialog(false);
    if (!box)
        return 1;
    std::printf("%s\n", to_utf8(window_text(GetDlgItem(box, 0xFFFF))).c_str());
    return 0;
}

struct owned_dialog_search {
    HWND owner;
    HWND found;
};

struct modal_count {
    HWND owner;
    int count;
};

BOOL CALLBACK count_owned_dialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<modal_count*>(search);
    if (class_name(window) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    for (HWND up = GetWindow(window, GW_OWNER); up; up = GetWindow(up, GW_OWNER)) {
        if (up == s->owner) {
            ++s->count;
            break;
        }
    }
    return TRUE;
}

BOOL CALLBACK find_owned_dialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<owned_dialog_search*>(search);
    if (class_name(window) == "#32770" && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == s->owner) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

void print_rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

struct item_search {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK find_visible_item(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<item_search*>(search_address);
    if (GetDlgCtrlID(window) == search->id && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Status 1 when the main window owns no visible dialog or it lacks the item.
int print_dialog_item_rect(HWND main, int id) {
    owned_dialog_search search{main, nullptr};
    EnumWindows(find_owned_dialog, reinterpret_cast<LPARAM>(&search));
    HWND item = search.found ? GetDlgItem(search.found, id) : nullptr;
    RECT rect{};
    if (!item || !GetWindowRect(item, &rect))
        return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

// The title arrives in the ANSI code page, as GetWindowTextA gives it.
int print_item_rect(const char* title, int id) {
    HWND top = FindWindowA(nullptr, title);
    if (!top || !IsWindowVisible(top))
        return 1;
    item_search search{id};
    EnumChildWindows(top, find_visible_item, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    print_rect(search.found);
    return 0;
}

int usage() {
    std::fputs(
        "usage: tarvik-probe count|texts|text N|visible|foreground|rect|child-rect N|item-rect TITLE ID|"
        "geometry|close|list|popups|edit-text CLASS|page|tabs|message|item-state ID|modal-count|"
        "dialog-item ID\n",
        stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    std::string command = argv[1];
    auto windows = main_windows();
    if (command == "count") {
        std::printf("%zu\n", windows.size());
        return 0;
    }
    if (command == "clipboard") {
        std::wstring text;
        if (OpenClipboard(nullptr)) {
            if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
                    text = data;
                    GlobalUnlock(memory);
                }
            }
            CloseClipboard();
        }
        std::printf("%s\n", wide_to_utf8(text).c_str());
        return 0;
    }
    if (command == "set-clipboard" && argc == 3) {
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
        if (!arguments || count != 3 || !OpenClipboard(nullptr))
            return 2;
        EmptyClipboard();
        const std::size_t size = (std::wcslen(arguments[2]) + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), arguments[2], size);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        LocalFree(arguments);
        return 0;
    }
    if (command == "foreground") {
        HWND front = GetForegroundWindow();
        std::printf("%s\n", front ? class_name(front).c_str() : "");
        return 0;
    }
    if (command == "list")
        return print_list_rows();
    if (command == "popups") {
        int count = 0;
        EnumWindows(count_list_popups, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (command == "edit-text" && argc == 3)
        return print_edit_text(argv[2]);
    if (command == "page" || command == "tabs")
        return print_sheet(command == "page");
    if (command == "message")
        return print_message_box_text();
    if (command == "item-state" && argc == 3)
        return print_item_state(std::atoi(argv[2]));
    if (command == "item-rect" && argc == 4)
        return print_item_rect(argv[2], std::atoi(argv[3]));
    if (windows.empty())
        return 1;
    HWND main = windows.front();
    if (command == "texts") {
        int index = 0;
        for (HWND child : children(main))
            std::printf("%d\t%s\t%s\n", index++, class_name(child).c_str(),
                        to_utf8(window_text(child)).c_str());
    } else if (command == "text" && argc == 3) {
        auto list = children(main);
        size_t index = static_cast<size_t>(std::atoi(argv[2]));
        if (index >= list.size())
            return 1;
        std::printf("%s\n", to_utf8(window_text(list[index])).c_str());
    } else if (command == "visible") {
        std::printf("%d\n", IsWindowVisible(main) ? 1 : 0);
    } else if (command == "rect") {
        print_rect(main);
    } else if (command == "child-rect" && argc == 3) {
        auto list = children(main);
        size_t index = static_cast<size_t>(std::atoi(argv[2]));
        if (index >= list.size())
            return 1;
        print_rect(list[index]);
    } else if (command == "geometry") {
        return print_geometry(main);
    } else if (command == "dialog-item" && argc == 3) {
        return print_dialog_item_rect(main, std::atoi(argv[2]));
    } else if (command == "modal-count") {
        modal_count search{main, 0};
        EnumWindows(count_owned_dialog, reinterpret_cast<LPARAM>(&search));
        std::printf("%d\n", search.count);
    } else if (command == "close") {
        PostMessageA(main, WM_CLOSE, 0, 0);
    } else {
        return usage();
    }
    return 0;
}
