#include "calc/text_encoding.h"

#include <utility>

namespace {

native_text_conversion& conversion() {
    static native_text_conversion convert;
    return convert;
}

bool starts_with(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not
// a well-formed one (overlong forms and surrogates included).
std::size_t utf8_sequence_length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const unsigned int least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool is_multibyte_utf8(std::string_view text) {
    bool multibyte = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8_sequence_length(text, i);
        if (length == 0)
            return false;
        multibyte = multibyte || length > 1;
        i += length;
    }
    return multibyte;
}

void append_utf8(std::string& out, unsigned int code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

text_encoding detect_encoding(std::string_view bytes) {
    if (starts_with(bytes, "\xEF\xBB\xBF"))
        return text_encoding::utf8_bom;
    if (starts_with(bytes, "\xFF\xFE"))
        return text_encoding::utf16_le;
    if (starts_with(bytes, "\xFE\xFF"))
        return text_encoding::utf16_be;
    return is_multibyte_utf8(bytes) ? text_encoding::utf8 : text_encoding::native;
}

void set_native_text_conversion(native_text_conversion convert) { conversion() = std::move(convert); }

std::string utf8_from_utf16(std::string_view bytes, bool big_endian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return big_endian ? (first << 8 | second) : (second << 8 | first);
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t u = 0; u < units; ++u) {
        unsigned int code = static_cast<unsigned int>(unit(2 * u));
        if (code >= 0xD800 && code <= 0xDBFF && u + 1 < units) {
            const auto low = static_cast<unsigned int>(unit(2 * (u + 1)));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++u;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        append_utf8(out, code);
    }
    return out;
}

native_text to_native_text(std::string_view bytes) {
    native_text result;
    result.encoding = detect_encoding(bytes);
    std::string utf8;
    switch (result.encoding) {
    case text_encoding::native: result.text = std::string(bytes); return result;
    case text_encoding::utf8: utf8 = std::string(bytes); break;
    case text_encoding::utf8_bom: utf8 = std::string(bytes.substr(3)); break;
    case text_encoding::utf16_le: utf8 = utf8_from_utf16(bytes.substr(2), false); break;
    case text_encoding::utf16_be: utf8 = utf8_from_utf16(bytes.substr(2), true); break;
    }
    if (!conversion()) {
        result.text = std::move(utf8);
        return result;
    }
    result.lossy = !conversion()(utf8, result.text);
    return result;
}
