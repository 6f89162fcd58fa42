#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

// The engine's CP932 message text as it is printed: UTF-8 on Linux, the
// console's code page on Windows (the bytes unchanged when that is 932). A
// byte that does not convert, and a control character, print as \xNN (two
// upper-case hex digits), so that a message is always one printable line.
std::string message_for_output(std::string_view cp932);

// An expression as it is printed under its error message: as a message, with
// control characters as blanks.
std::string expression_for_output(std::string_view cp932);

// The line under that expression that marks the bytes [position, position +
// length) of it with "^", one per terminal column of the characters they
// touch (a double-byte character is two columns wide); a single "^" for an
// empty part. Empty for a position of -1.
std::string marker_for_output(std::string_view cp932, int position, int length);

// %.17g, the same on every platform (std::to_chars, not the C library's
// printf, which differs on MinGW).
std::string raw_number(double value);

// Windows: standard input (and, for the machine protocol, output) in binary
// mode, so that bytes pass unchanged and lines end with LF. Elsewhere nothing.
void set_binary_stdin();
void set_binary_stdout();

bool stdin_is_terminal();

// Writes text and a line end to the stream.
void write_line(std::FILE* stream, std::string_view text);

} // namespace cli
