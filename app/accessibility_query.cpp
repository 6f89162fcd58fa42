#include "app/accessibility_query.h"

#include <oleacc.h>

#include <memory>

#include "app/automation_client.h"
#include "ui/com_ptr.h"

namespace {

screen_rectangle from_location(long left, long top, long width, long height) {
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
            static_cast<int>(top + height)};
}

// The worker's own preparation (COM, the accessibility library) on its first
// use, which is no time the target takes: it is waited for apart.
constexpr DWORD PREPARATION_ALLOWANCE_MS = 1000;

// The worker's question and result, shared with the caller, which may have
// stopped waiting long before a hung target lets the worker finish. The
// worker writes the result before it sets the event.
struct pending_answer {
    HWND focus = nullptr;
    DWORD allowed_ms = 0;
    HANDLE prepared = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::optional<text_anchor> anchor;

    pending_answer() = default;
    pending_answer(const pending_answer&) = delete;
    pending_answer& operator=(const pending_answer&) = delete;
    ~pending_answer() {
        for (HANDLE event : {prepared, finished})
            if (event)
                CloseHandle(event);
    }
};

DWORD WINAPI ask_on_worker(void* parameter) {
    // The worker's own share of the answer, handed over by the caller.
    const std::unique_ptr<std::shared_ptr<pending_answer>> share(
        static_cast<std::shared_ptr<pending_answer>*>(parameter));
    pending_answer& pending = **share;
    const bool com_ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    LoadLibraryA("oleacc.dll");
    SetEvent(pending.prepared);
    if (com_ready) {
        pending.anchor = accessible_caret(pending.focus, pending.allowed_ms);
        if (!pending.anchor)
            pending.anchor = automation_anchor(pending.focus);
        CoUninitialize();
    }
    SetEvent(pending.finished);
    return 0;
}

} // namespace

std::optional<text_anchor> accessible_caret(HWND focus, DWORD allowed_ms) {
    // The message itself is bounded: a target that does not answer in time
    // has no caret object for us. The object id goes as the DWORD it is,
    // as Active Accessibility's own callers send it.
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutW(focus, WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_CARET)),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, allowed_ms, &reply))
        return std::nullopt;
    const auto result = static_cast<LRESULT>(reply);
    if (result <= 0)
        return std::nullopt;
    IAccessible* raw = nullptr;
    if (FAILED(ObjectFromLresult(result, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&raw))) || !raw)
        return std::nullopt;
    const com_ptr<IAccessible> caret(raw);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    long left = 0, top = 0, width = 0, height = 0;
    if (caret->accLocation(&left, &top, &width, &height, self) != S_OK)
        return std::nullopt;
    // A caret object with nothing to show (no text field focused) answers
    // an empty place.
    if (width <= 0 && height <= 0)
        return std::nullopt;
    return text_anchor{anchor_kind::caret, anchor_source::accessible_caret,
                       from_location(left, top, width, height)};
}

std::optional<text_anchor> automation_anchor(HWND focus) { return automation_client().anchor_for(focus); }

std::optional<text_anchor> ask_accessibility(HWND focus, DWORD allowed_ms) {
    auto pending = std::make_shared<pending_answer>();
    if (!pending->prepared || !pending->finished)
        return std::nullopt;
    pending->focus = focus;
    pending->allowed_ms = allowed_ms;
    auto* share = new std::shared_ptr<pending_answer>(pending);
    HANDLE worker = CreateThread(nullptr, 0, ask_on_worker, share, 0, nullptr);
    if (!worker) {
        delete share;
        return std::nullopt; // no thread to ask on: the focus window it is
    }
    CloseHandle(worker);
    WaitForSingleObject(pending->prepared, PREPARATION_ALLOWANCE_MS);
    if (WaitForSingleObject(pending->finished, allowed_ms) != WAIT_OBJECT_0)
        return std::nullopt;
    return pending->anchor;
}
