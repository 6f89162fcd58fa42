#pragma once
#include <functional>
#include <string>
#include <string_view>

// The encodings a hand-edited text file may come in. The program writes its
// own code page (Shift-JIS) without a byte order mark; a user's editor may
// save the same file as UTF-8 (with or without a BOM) or UTF-16 with a BOM.
enum class text_encoding { native, utf8, utf8_bom, utf16_le, utf16_be };

// Decided from the first bytes: a BOM names its encoding; text without one
// is UTF-8 when it holds multibyte UTF-8 sequences and nothing else that
// UTF-8 forbids (Shift-JIS text practically never does), the program's own
// code page otherwise.
text_encoding detect_encoding(std::string_view bytes);

// Converts UTF-8 text to the program's code page. Gives false when a
// character has no form there; it is then replaced all the same, and the
// caller tells the user. The front end hands one in
// (set_native_text_conversion); without one the text stays UTF-8.
using native_text_conversion = std::function<bool(std::string_view utf8, std::string& native)>;
void set_native_text_conversion(native_text_conversion convert);

struct native_text {
    std::string text;
    text_encoding encoding = text_encoding::native;
    // A character had no form in the program's code page.
    bool lossy = false;
};

// The file's bytes as text in the program's code page, whatever they came in.
native_text to_native_text(std::string_view bytes);

// UTF-16 (little or big endian, without its BOM) as UTF-8; an odd last byte
// is dropped and a lone surrogate becomes U+FFFD.
std::string utf8_from_utf16(std::string_view bytes, bool big_endian);
