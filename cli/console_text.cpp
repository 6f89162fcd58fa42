#include "cli/console_text.h"

#include <charconv>
#include <cstdint>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <iconv.h>
#include <unistd.h>
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
    converter() : cd_(iconv_open("UTF-8", "CP932")) {}
    ~converter() {
        if (valid())
            iconv_close(cd_);
    }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    bool passthrough() const { return false; }
    bool convert(std::string_view character, std::string& out) const {
        if (!valid())
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char input[4];
        character.copy(input, sizeof input);
        char output[16];
        char* in = input;
        std::size_t in_left = character.size();
        char* outp = output;
        std::size_t out_left = sizeof output;
        if (iconv(cd_, &in, &in_left, &outp, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
            return false;
        out.append(output, static_cast<std::size_t>(outp - output));
        return true;
    }

private:
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

#endif

const converter& the_converter() {
    static const converter instance;
    return instance;
}

} // namespace

std::string message_for_output(std::string_view cp932) {
    const converter& conv = the_converter();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    std::size_t i = 0;
    while (i < cp932.size()) {
        auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x20 || byte == 0x7F) {
            append_escaped(out, byte);
            ++i;
        } else if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
            ++i;
        } else {
            std::size_t length = character_length(byte);
            if (i + length > cp932.size())
                length = 1;
            std::string_view character = cp932.substr(i, length);
            if (length == 2 && static_cast<unsigned char>(character[1]) < 0x40) {
                // not a trail byte: the lead alone does not convert
                append_escaped(out, byte);
                ++i;
            } else if (conv.passthrough()) {
                out.append(character);
                i += length;
            } else if (conv.convert(character, out)) {
                i += length;
            } else {
                append_escaped(out, byte);
                ++i;
            }
        }
    }
    return out;
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
