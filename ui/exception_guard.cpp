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

// "Tarvik.log" beside the program, wherever it was started from, in UTF-8:
// the ANSI form of a folder named outside the code page would not name it.
std::string log_path() {
    wchar_t path[32768] = {};
    const DWORD length = GetModuleFileNameW(program_instance(), path, 32768);
    std::wstring text(path, length < 32768 ? length : 0);
    text = text.substr(0, text.find_last_of(L'\\') + 1) + L"Tarvik.log";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(std::char_traits<char>::length(utf8.c_str()));
    return utf8;
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
