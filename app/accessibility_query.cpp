#include "app/accessibility_query.h"

#include <oleacc.h>

#include "ui/com_ptr.h"

namespace {

screen_rectangle from_location(long left, long top, long width, long height) {
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
            static_cast<int>(top + height)};
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
