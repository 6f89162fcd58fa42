#include "ui/exception_guard.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "ui/capped_log.h"
#include "ui/program_resources.h"

namespace {

// Large enough for hundreds of events, small enough never to matter on disk.
constexpr std::size_t LOG_CAP = 64 * 1024;

std::string current_exception_text() {
    try {
        throw;
    } catch (const std::exception& e) {
        return std::string("exception caught: ") + e.what();
    } catch (...) {
        return "exception caught: not a standard exception";
    }
}

// "Tarvik.log" beside the program, wherever it was started from.
std::string log_path() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(program_instance(), path, MAX_PATH);
    std::string text(path, length < MAX_PATH ? length : 0);
    const auto folder_end = text.find_last_of('\\');
    return (folder_end == std::string::npos ? std::string() : text.substr(0, folder_end + 1)) + "Tarvik.log";
}

std::string time_stamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}

} // namespace

void log_line(const std::string& text) noexcept {
    try {
        append_capped_line(log_path(), time_stamp() + text, LOG_CAP);
    } catch (...) {
    }
}

// The program goes on; the log tells afterwards what went wrong.
void on_caught_exception() noexcept {
    try {
        log_line(current_exception_text());
    } catch (...) {
    }
}
