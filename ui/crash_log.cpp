#include "ui/crash_log.h"

#include <cstdio>

#include "ui/exception_guard.h"

namespace {

struct exception_name {
    DWORD code;
    const char* name;
};

constexpr exception_name exception_names[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation"},
    {EXCEPTION_STACK_OVERFLOW, "stack overflow"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero"},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error"},
    {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "misaligned data"},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, "noncontinuable exception"},
    {0xE06D7363, "C++ exception"},
};

const char* name_of(DWORD code) {
    for (const auto& entry : exception_names)
        if (entry.code == code)
            return entry.name;
    return "unknown";
}

// "Tarvik.exe+0x1a2b", or the bare address outside every module.
std::string place_of(const void* address) {
    char text[MAX_PATH + 40];
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module) ||
        !GetModuleFileNameW(module, path, MAX_PATH)) {
        std::snprintf(text, sizeof text, "%p", address);
        return text;
    }
    const wchar_t* file = path;
    for (const wchar_t* c = path; *c; ++c)
        if (*c == L'\\' || *c == L'/')
            file = c + 1;
    char name[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, file, -1, name, sizeof name, nullptr, nullptr);
    const auto offset = static_cast<unsigned long long>(static_cast<const char*>(address) -
                                                        reinterpret_cast<const char*>(module));
    std::snprintf(text, sizeof text, "%s+0x%llx", name, offset);
    return text;
}

LONG WINAPI log_unhandled_exception(EXCEPTION_POINTERS* pointers) {
    if (pointers && pointers->ExceptionRecord)
        log_line(crash_description(*pointers->ExceptionRecord));
    return EXCEPTION_EXECUTE_HANDLER; // the process ends, without the system's error box
}

} // namespace

std::string crash_description(const EXCEPTION_RECORD& record) {
    char code[64];
    std::snprintf(code, sizeof code, "unhandled exception 0x%08lX (%s) at ",
                  static_cast<unsigned long>(record.ExceptionCode), name_of(record.ExceptionCode));
    return code + place_of(record.ExceptionAddress);
}

void install_crash_log() noexcept {
    // The handler of a stack overflow runs on what is left of the stack.
    ULONG reserve = 64 * 1024;
    SetThreadStackGuarantee(&reserve);
    SetUnhandledExceptionFilter(log_unhandled_exception);
}
