#include "ui/html_help_library.h"

namespace {

// HtmlHelpW's export ordinal; the ordinal is what stays the same across the
// control's versions.
constexpr WORD html_help_w_ordinal = 15;

} // namespace

const html_help_library::location html_help_library::system_location{
    HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", "hhctrl.ocx"};

HWND html_help_library::call(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    if (!entry_ && !load())
        return nullptr;
    return entry_(caller, file, command, data);
}

bool html_help_library::load() {
    if (loading_failed_)
        return false;
    if (!library_)
        library_ = load_registered_library();
    if (!library_)
        library_ = LoadLibraryA(where_.library_name);
    if (library_)
        entry_ = reinterpret_cast<entry_type>(
            reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(html_help_w_ordinal))));
    loading_failed_ = !entry_;
    return entry_ != nullptr;
}

HMODULE html_help_library::load_registered_library() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(where_.root, where_.server_key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    char path[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH; // one byte stays free: the value need not end in a null
    DWORD type = 0;
    LONG read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || path[0] == '\0')
        return nullptr;
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH] = {};
        DWORD length = ExpandEnvironmentStringsA(path, expanded, MAX_PATH);
        if (length == 0 || length > MAX_PATH)
            return nullptr;
        return LoadLibraryA(expanded);
    }
    return LoadLibraryA(path);
}
