#pragma once
#include <windows.h>

#include <string>

// The last resort for a structured exception that nothing catches (an access
// violation, a stack overflow): before the process ends, a line with the
// time, the exception's code and the module and offset where it happened goes
// to "Tarvik.log" beside the program, the log of on_caught_exception.
// Installed first thing at the start; the calling thread keeps a reserve of
// stack so that the line can be written after a stack overflow too.
void install_crash_log() noexcept;

// The line's text without the time, such as
// "unhandled exception 0xC0000005 (access violation) at Tarvik.exe+0x1a2b".
std::string crash_description(const EXCEPTION_RECORD& record);
