#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// The line-oriented text of "history.txt" and "var.txt".

// Reads the next line whole, whatever its length, without its line end
// (CR LF or LF). Gives false when the read reaches the end of the file or
// fails; a last line without a line end is therefore never returned, so a
// file cut short in the middle of a line loses only that partial line.
// (C stdio rather than streams: the program carries no iostreams and locales.)
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

// Reads every complete line of the file, split as above, and hands the two
// sides to use. A line too long for memory ends the reading; what was read
// stays. False when the file does not open.
bool for_each_split_line(const std::string& path,
                         const std::function<void(std::string_view left, std::string_view right)>& use);
