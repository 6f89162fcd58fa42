#include "app/clipboard_text.h"

#include <cstring>

namespace {

std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string narrow(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), length, nullptr, nullptr);
    result.resize(static_cast<size_t>(length - 1));
    return result;
}

// Movable global memory holding the text and its terminator; the clipboard
// takes it over once it is set.
HGLOBAL global_copy(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    return memory;
}

class open_clipboard {
public:
    explicit open_clipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~open_clipboard() {
        if (open_)
            CloseClipboard();
    }
    open_clipboard(const open_clipboard&) = delete;
    open_clipboard& operator=(const open_clipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

} // namespace

bool put_text_on_clipboard(HWND owner, const std::string& text) {
    const open_clipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard())
        return false;
    HGLOBAL memory = global_copy(wide(text));
    if (!memory)
        return false;
    if (SetClipboardData(CF_UNICODETEXT, memory))
        return true;
    GlobalFree(memory);
    return false;
}

std::string clipboard_text(HWND owner) {
    const open_clipboard clipboard(owner);
    if (!clipboard)
        return {};
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    const auto* text = memory ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
    if (!text)
        return {};
    std::string result = narrow(text);
    GlobalUnlock(memory);
    return result;
}
