#pragma once
#include <windows.h>

#include <optional>

#include "app/text_anchor.h"

// The thread that asks other applications where their text is (Active
// Accessibility, then UI Automation), so that a hung target never holds the
// calculator's thread. One worker serves the whole run: started on the first
// question, with COM and the UI Automation client set up once, because a new
// thread, COM and the client for every hotkey press cost more than the
// question itself. While a hung target keeps it busy, questions are answered
// with nothing at once.
class accessibility_worker {
public:
    accessibility_worker() { InitializeSRWLock(&lock_); }
    accessibility_worker(const accessibility_worker&) = delete;
    accessibility_worker& operator=(const accessibility_worker&) = delete;

    // Waits no longer than allowed_ms for the answer (after the worker's own
    // preparation on the first question).
    std::optional<text_anchor> ask(HWND focus, DWORD allowed_ms);

private:
    static DWORD WINAPI run(void* self);
    bool start();
    void serve();

    SRWLOCK lock_;
    HANDLE prepared_ = nullptr; // set once, when COM and the client are ready
    HANDLE asked_ = nullptr;    // a question is waiting
    HANDLE answered_ = nullptr; // its answer is written
    bool started_ = false;
    bool start_failed_ = false;
    // Guarded by lock_.
    bool busy_ = false;
    unsigned question_ = 0;
    HWND focus_ = nullptr;
    DWORD allowed_ms_ = 0;
    unsigned answered_question_ = 0;
    std::optional<text_anchor> anchor_;
};
