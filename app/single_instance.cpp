#include "app/single_instance.h"

#include <cstdint>
#include <cwchar>

namespace {

std::wstring upper_case(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// FNV-1a: a mutex name may not contain backslashes and is limited in length,
// so the folder goes into it as a hash.
std::uint64_t fnv1a(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : text) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::wstring folder_of(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The folder of the program process_id runs, or empty when it cannot be read.
std::wstring process_folder(DWORD process_id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
    if (!process)
        return {};
    wchar_t path[32768];
    DWORD size = sizeof path / sizeof path[0];
    const bool read = QueryFullProcessImageNameW(process, 0, path, &size) != FALSE;
    CloseHandle(process);
    return read ? folder_of(std::wstring(path, size)) : std::wstring();
}

struct window_search {
    std::wstring folder; // upper case
    std::wstring window_class;
    HWND found = nullptr;
};

// Only the window's class and its process are read: neither waits on the
// window's thread.
BOOL CALLBACK match_window(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<window_search*>(context);
    wchar_t name[256];
    if (!GetClassNameW(window, name, 256) || search.window_class != name)
        return TRUE;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (upper_case(process_folder(process_id)) == search.folder) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND find_running_window(const std::wstring& folder, const std::wstring& window_class) {
    window_search search{upper_case(folder), window_class};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::wstring single_instance::mutex_name(const std::wstring& folder) {
    wchar_t hash[17];
    std::swprintf(hash, 17, L"%016llx", static_cast<unsigned long long>(fnv1a(upper_case(folder))));
    return L"Local\\Tarvik-" + std::wstring(hash);
}

single_instance::single_instance(const std::wstring& folder) {
    mutex_ = CreateMutexW(nullptr, FALSE, mutex_name(folder).c_str());
    // Without a mutex (no resources left) the program runs as it would alone.
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

single_instance::~single_instance() {
    if (mutex_)
        CloseHandle(mutex_);
}

bool single_instance::show_running_copy(const std::wstring& folder, const std::wstring& window_class) {
    constexpr int attempts = 50; // 5 seconds for a copy that is still creating its window
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (HWND running = find_running_window(folder, window_class)) {
            ShowWindowAsync(running, SW_SHOW);
            SetForegroundWindow(running);
            return true;
        }
        Sleep(100);
    }
    return false;
}
