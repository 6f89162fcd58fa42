#include "cli/terminal_input.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <cstdio>
#else
#include "cli/character_converter.h"
#endif

namespace cli {

namespace {

// The geta mark, Japanese typesetting's stand-in for a missing character.
constexpr std::string_view missing_character = "\x81\xAC";

#ifdef _WIN32

UINT code_page_of(text_source source) {
    if (source == text_source::argument)
        return CP_UTF8;
    if (_isatty(_fileno(stdin))) {
        if (const UINT console = GetConsoleCP())
            return console;
    }
    return GetACP();
}

std::wstring wide_of(const char* ansi) {
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, text.data(), size);
    return text;
}

std::string utf8_of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

std::string to_code_page_932(std::string_view typed, UINT code_page) {
    if (code_page == 932 || typed.empty())
        return std::string(typed);
    const int size = static_cast<int>(typed.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, typed.data(), size, wide.data(), size)));
    std::string out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wchar_t character = wide[i];
        if (character >= 0xD800 && character <= 0xDBFF && i + 1 < wide.size()) {
            out.append(missing_character); // beyond the BMP: never in code page 932
            ++i;
            continue;
        }
        // The minus sign is code page 932's 0x817C, which not every
        // converter knows; it is read back as the full-width hyphen-minus.
        if (character == 0x2212)
            character = 0xFF0D;
        char bytes[4];
        BOOL missing = FALSE;
        const int n = WideCharToMultiByte(932, 0, &character, 1, bytes, sizeof bytes, nullptr, &missing);
        if (n <= 0 || missing)
            out.append(missing_character);
        else
            out.append(bytes, static_cast<std::size_t>(n));
    }
    return out;
}

#else

// Bytes of the UTF-8 sequence at text[i], or 0 when none starts there (a
// stray byte, or a lead without its continuation bytes).
std::size_t sequence_length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string to_code_page_932(std::string_view typed) {
    static const character_converter converter("CP932", "UTF-8");
    std::string out;
    out.reserve(typed.size());
    std::size_t i = 0;
    while (i < typed.size()) {
        if (static_cast<unsigned char>(typed[i]) < 0x80) {
            out.push_back(typed[i++]);
            continue;
        }
        const std::size_t length = sequence_length(typed, i);
        if (length == 0 || !converter.convert(typed.substr(i, length), out))
            out.append(missing_character); // one mark for a stray byte or a character code page 932 lacks
        i += length == 0 ? 1 : length;
    }
    return out;
}

#endif

} // namespace

std::vector<std::string> typed_arguments(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
#ifdef _WIN32
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; i < argc; ++i) {
        // Should the two readings of the command line disagree, the ANSI one
        // counts, in UTF-8 as well.
        const std::wstring ansi = count == argc ? std::wstring() : wide_of(argv[i]);
        arguments[static_cast<std::size_t>(i)] = utf8_of(count == argc ? wide[i] : ansi.c_str());
    }
    if (wide)
        LocalFree(wide);
#endif
    return arguments;
}

std::string engine_text(std::string_view typed, text_source source) {
#ifdef _WIN32
    return to_code_page_932(typed, code_page_of(source));
#else
    (void)source;
    return to_code_page_932(typed);
#endif
}

} // namespace cli
