#pragma once
#include <string>
#include <utility>

// The window, dialog and page procedures are called by the system, which
// knows nothing of C++ exceptions: one that escaped a handler would unwind
// through the system's dispatcher. Each procedure runs its object's handler
// through guarded(), which catches everything and gives the message its
// default processing instead.

// What becomes of an exception caught at a procedure's boundary or in the
// message loop. Called from inside the catch block, so the exception is the
// current one: a line with the time and its description goes to "Tarvik.log"
// beside the program (kept under 64 KiB).
void on_caught_exception() noexcept;

// Writes one line with the time to that log. Nothing here throws: a failure
// to log is given up silently.
void log_line(const std::string& text) noexcept;

// body's result, or fallback's when body throws. fallback runs outside the
// catch block; it is the message's default processing and must not throw.
template <typename Body, typename Fallback>
auto guarded(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        on_caught_exception();
    }
    return std::forward<Fallback>(fallback)();
}
