#include "app/accessibility_worker.h"

#include <objbase.h>

#include "app/accessibility_query.h"
#include "app/automation_client.h"

namespace {

// The worker's own preparation (COM, the accessibility library) on the first
// question, which is no time the target takes: it is waited for apart.
constexpr DWORD PREPARATION_ALLOWANCE_MS = 1000;

class exclusive {
public:
    explicit exclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~exclusive() { ReleaseSRWLockExclusive(&lock_); }
    exclusive(const exclusive&) = delete;
    exclusive& operator=(const exclusive&) = delete;

private:
    SRWLOCK& lock_;
};

} // namespace

std::optional<text_anchor> accessibility_worker::ask(HWND focus, DWORD allowed_ms) {
    if (!start())
        return std::nullopt;
    unsigned question = 0;
    {
        const exclusive locked(lock_);
        if (busy_)
            return std::nullopt; // still waiting on a hung target
        busy_ = true;
        question = ++question_;
        focus_ = focus;
        allowed_ms_ = allowed_ms;
        ResetEvent(answered_); // a late answer to an earlier question
    }
    SetEvent(asked_);
    WaitForSingleObject(prepared_, PREPARATION_ALLOWANCE_MS);
    if (WaitForSingleObject(answered_, allowed_ms) != WAIT_OBJECT_0)
        return std::nullopt;
    const exclusive locked(lock_);
    return answered_question_ == question ? anchor_ : std::nullopt;
}

bool accessibility_worker::start() {
    if (started_ || start_failed_)
        return started_;
    prepared_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    asked_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    answered_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread = prepared_ && asked_ && answered_ ? CreateThread(nullptr, 0, run, this, 0, nullptr) : nullptr;
    if (!thread) {
        start_failed_ = true; // no thread to ask on: the focus window it is
        return false;
    }
    CloseHandle(thread);
    started_ = true;
    return true;
}

DWORD WINAPI accessibility_worker::run(void* self) {
    static_cast<accessibility_worker*>(self)->serve();
    return 0;
}

void accessibility_worker::serve() {
    const bool com_ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    LoadLibraryA("oleacc.dll");
    const automation_client automation;
    SetEvent(prepared_);
    for (;;) {
        WaitForSingleObject(asked_, INFINITE);
        HWND focus = nullptr;
        DWORD allowed_ms = 0;
        unsigned question = 0;
        {
            const exclusive locked(lock_);
            focus = focus_;
            allowed_ms = allowed_ms_;
            question = question_;
        }
        std::optional<text_anchor> anchor;
        if (com_ready) {
            anchor = accessible_caret(focus, allowed_ms);
            if (!anchor)
                anchor = automation.anchor_for(focus);
        }
        {
            const exclusive locked(lock_);
            anchor_ = anchor;
            answered_question_ = question;
            busy_ = false;
        }
        SetEvent(answered_);
    }
}
