#include "app/shift_jis_conversion.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "calc/text_encoding.h"

namespace {

constexpr UINT SHIFT_JIS = 932;
bool lost_characters = false;

std::wstring wide_from_utf8(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

// No best-fit mapping: a character without a form of its own is reported,
// never silently turned into a look-alike.
bool to_shift_jis(std::string_view utf8, std::string& native) {
    const std::wstring wide = wide_from_utf8(utf8);
    native.clear();
    if (wide.empty())
        return true;
    BOOL used_default = FALSE;
    const int count = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(SHIFT_JIS, WC_NO_BEST_FIT_CHARS, wide.data(), count, nullptr, 0, "?", &used_default);
    native.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(SHIFT_JIS, WC_NO_BEST_FIT_CHARS, wide.data(), count, native.data(), length, "?",
                        &used_default);
    if (used_default)
        lost_characters = true;
    return !used_default;
}

} // namespace

void install_shift_jis_conversion() { set_native_text_conversion(to_shift_jis); }

bool take_lost_characters() {
    const bool lost = lost_characters;
    lost_characters = false;
    return lost;
}
