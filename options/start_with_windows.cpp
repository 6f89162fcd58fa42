#include "options/start_with_windows.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "options/run_command.h"

namespace {

const wchar_t* const RUN_KEY = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The installer writes and removes the same value.
const wchar_t* const VALUE_NAME = L"Tarvik";

// The module path in a buffer that grows until it fits (a long path may
// exceed MAX_PATH).
std::wstring module_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The value's command, expanded when it was written with environment
// variables (asking for REG_SZ expands those); empty when there is none. The
// size is asked for again when the expansion turns out longer.
std::wstring run_value() {
    std::wstring command(MAX_PATH, L'\0');
    for (;;) {
        auto size = static_cast<DWORD>(command.size() * sizeof(wchar_t));
        const LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, RUN_KEY, VALUE_NAME, RRF_RT_REG_SZ, nullptr, command.data(), &size);
        if (status == ERROR_MORE_DATA) {
            command.resize(std::max<std::size_t>(command.size() * 2, size / sizeof(wchar_t) + 1));
            continue;
        }
        if (status != ERROR_SUCCESS)
            return {};
        command.resize(wcsnlen(command.c_str(), command.size()));
        return command;
    }
}

// The Run key, created when a fresh profile lacks it.
class run_key {
public:
    run_key() {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, RUN_KEY, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~run_key() {
        if (key_)
            RegCloseKey(key_);
    }
    run_key(const run_key&) = delete;
    run_key& operator=(const run_key&) = delete;

    bool write(const std::wstring& command) const {
        const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
        return key_ && RegSetValueExW(key_, VALUE_NAME, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                      bytes) == ERROR_SUCCESS;
    }
    bool remove() const {
        if (!key_)
            return false;
        const LSTATUS status = RegDeleteValueW(key_, VALUE_NAME);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

start_with_windows start_with_windows::for_this_program() { return start_with_windows(module_path()); }

start_with_windows::start_with_windows(std::wstring program_path) : program_path_(std::move(program_path)) {}

bool start_with_windows::is_on() const { return run_command_starts(run_value(), program_path_); }

bool start_with_windows::turn_on() const {
    return !program_path_.empty() && run_key().write(run_command_for(program_path_));
}

bool start_with_windows::turn_off() const { return !is_on() || run_key().remove(); }
