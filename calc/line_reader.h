#pragma once
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// The line-oriented text of "history.txt" and "var.txt".
// (C stdio rather than streams: the program carries no iostreams and locales.)

// The files this program writes stay far below these; a damaged or hostile
// file is read only up to them, so that it can neither exhaust memory nor
// stall the start-up. A line longer than LINE_LENGTH_LIMIT is passed over;
// reading stops after FILE_SIZE_LIMIT bytes or FILE_LINE_LIMIT lines.
inline constexpr std::size_t LINE_LENGTH_LIMIT = 4 * 1024 * 1024;
inline constexpr std::size_t FILE_SIZE_LIMIT = 64 * 1024 * 1024;
inline constexpr std::size_t FILE_LINE_LIMIT = 1000000;

// Reads the next line whole, without its line end (CR LF or LF). Gives false
// when the read reaches the end of the file or fails; a last line without a
// line end is therefore never returned, so a file cut short in the middle of
// a line loses only that partial line. A line longer than LINE_LENGTH_LIMIT
// is passed over: the next line that fits is returned instead.
bool read_line(std::FILE* in, std::string& line);

// The two sides of a "left = right" line.
struct line_parts {
    std::string_view left;
    std::string_view right;
};

// Splits at the last space or "=" of the line: for the lines this program
// writes (answers and values hold neither) that is the split at the last
// " = ". A line without " = " still splits by the same rule, as files written
// by hand always have.
line_parts split_line(std::string_view line);

using split_line_use = std::function<void(std::string_view left, std::string_view right)>;

// Hands each line of the text to use, without its line end: CR LF, LF or a
// lone CR all end a line, and a last line without a line end counts too.
// Lines longer than LINE_LENGTH_LIMIT are passed over; at most
// FILE_LINE_LIMIT lines are handed on.
void for_each_text_line(std::string_view text, const std::function<void(std::string_view)>& use);

// Reads the open file within the limits above, in whatever encoding it came
// (text_encoding.h: Shift-JIS, UTF-8 with or without BOM, UTF-16 with BOM),
// and hands the two sides of each line, split as above, to use. A file too
// large for memory ends the reading; what was read stays.
void for_each_split_line(std::FILE* in, const split_line_use& use);
// The same for a file by name; false when the file does not open.
bool for_each_split_line(const std::string& path, const split_line_use& use);
