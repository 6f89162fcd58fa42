#include "cli/console_text.h"

#include <charconv>
#include <cstdint>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include "cli/character_converter.h"
#endif

namespace cli {

namespace {

void append_escaped(std::string& out, unsigned char byte) {
    static constexpr char hex[] = "0123456789ABCDEF";
    out += "\\x";
    out.push_back(hex[byte >> 4]);
    out.push_back(hex[byte & 0x0F]);
}

// Bytes of the CP932 character that starts with lead: 2 for a double-byte
// lead, else 1.
std::size_t character_length(unsigned char lead) {
    return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}

#ifdef _WIN32

class converter {
public:
    converter() {
        code_page_ = GetConsoleOutputCP();
        if (code_page_ == 0)
            code_page_ = GetACP();
    }
    bool passthrough() const { return code_page_ == 932; }
    // Converts one CP932 character; false when it does not convert.
    bool convert(std::string_view character, std::string& out) const {
        wchar_t wide[4];
        int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, character.data(),
                                    static_cast<int>(character.size()), wide, 4);
        if (n <= 0)
            return false;
        char bytes[16];
        int m = WideCharToMultiByte(code_page_, 0, wide, n, bytes, sizeof bytes, nullptr, nullptr);
        if (m <= 0)
            return false;
        out.append(bytes, static_cast<std::size_t>(m));
        return true;
    }

private:
    UINT code_page_ = 932;
};

#else

class converter {
public:
    bool passthrough() const { return false; }
    bool convert(std::string_view character, std::string& out) const { return to_utf8_.convert(character, out); }

private:
    character_converter to_utf8_{"UTF-8", "CP932"};
};

#endif

const converter& the_converter() {
    static const converter instance;
    return instance;
}

// One character of a CP932 text as it is printed: how many bytes of the text
// it takes, and its printed text.
struct printed_character {
    std::size_t bytes = 1;
    std::string text;
    bool escaped = false;
};

printed_character escaped_byte(unsigned char byte) {
    printed_character c;
    append_escaped(c.text, byte);
    c.escaped = true;
    return c;
}

printed_character print_character(std::string_view cp932, std::size_t i) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    if (byte < 0x20 || byte == 0x7F)
        return escaped_byte(byte);
    if (byte < 0x80)
        return {1, std::string(1, static_cast<char>(byte))};
    std::size_t length = character_length(byte);
    if (i + length > cp932.size())
        length = 1;
    const std::string_view character = cp932.substr(i, length);
    if (length == 2 && static_cast<unsigned char>(character[1]) < 0x40)
        return escaped_byte(byte); // not a trail byte: the lead alone does not convert
    const converter& conv = the_converter();
    printed_character c{length, {}};
    if (conv.passthrough())
        c.text = character;
    else if (!conv.convert(character, c.text))
        return escaped_byte(byte);
    return c;
}

// Terminal columns of a printed character: a double-byte character of code
// page 932 is a wide one; an escape takes its four ASCII characters.
std::size_t columns_of(const printed_character& c) { return c.escaped ? c.text.size() : c.bytes; }

} // namespace

std::string message_for_output(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (std::size_t i = 0; i < cp932.size();) {
        const printed_character c = print_character(cp932, i);
        out += c.text;
        i += c.bytes;
    }
    return out;
}

namespace {

// The expression on one line: line breaks, tabs and the other control
// characters show as blanks, one column each.
std::string blanked_controls(std::string_view cp932) {
    std::string shown(cp932);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return shown;
}

} // namespace

std::string expression_for_output(std::string_view cp932) { return message_for_output(blanked_controls(cp932)); }

std::string marker_for_output(std::string_view cp932, int position, int length) {
    if (position < 0)
        return {};
    const auto start = static_cast<std::size_t>(position);
    const std::size_t end = start + static_cast<std::size_t>(length > 0 ? length : 0);
    const std::string shown = blanked_controls(cp932);
    std::string marker;
    bool marked = false;
    std::size_t i = 0;
    while (i < shown.size()) {
        const printed_character c = print_character(shown, i);
        if (i + c.bytes <= start) {
            marker.append(columns_of(c), ' ');
        } else if (i < end) {
            marker.append(columns_of(c), '^');
            marked = true;
        } else {
            break;
        }
        i += c.bytes;
    }
    if (!marked) // an empty part, or one past the end of the text
        marker.append(start > i ? start - i : 0, ' ').push_back('^');
    return marker;
}

std::string raw_number(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    if (ec != std::errc())
        return "nan";
    return std::string(buffer, end);
}

void set_binary_stdin() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

void set_binary_stdout() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool stdin_is_terminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

void write_line(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

} // namespace cli
