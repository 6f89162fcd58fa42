#include "ui/step_trace.h"

#include <windows.h>

#include <cstdio>

namespace {

struct trace_file {
    using clock_function = void(WINAPI*)(FILETIME*);
    HANDLE file = INVALID_HANDLE_VALUE;
    clock_function read_clock = GetSystemTimeAsFileTime;
    ULONGLONG process_start = 0; // 100 ns units, like FILETIME

    trace_file() {
        char path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA("TARVIK_TRACE", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        // The precise clock exists from Windows 8 on; the program also runs on 7.
        if (HMODULE kernel32 = GetModuleHandleA("kernel32.dll"))
            if (FARPROC precise = GetProcAddress(kernel32, "GetSystemTimePreciseAsFileTime"))
                read_clock = reinterpret_cast<clock_function>(reinterpret_cast<void (*)()>(precise));
        FILETIME created{}, exited{}, kernel{}, user{};
        if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
            process_start = as_number(created);
    }
    ~trace_file() {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }

    static ULONGLONG as_number(FILETIME time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }
};

} // namespace

void trace_step(const char* step) {
    static trace_file trace;
    if (trace.file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now{};
    trace.read_clock(&now);
    const double milliseconds = static_cast<double>(trace_file::as_number(now) - trace.process_start) / 1e4;
    char line[160];
    const int length = std::snprintf(line, sizeof line, "%.3f %s\r\n", milliseconds, step);
    if (length <= 0)
        return;
    DWORD written = 0;
    WriteFile(trace.file, line, static_cast<DWORD>(length < int(sizeof line) ? length : int(sizeof line) - 1),
              &written, nullptr);
}
