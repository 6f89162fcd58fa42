#pragma once
#include <cstdio>
#include <string>

#include "calc/text_file_writer.h"

namespace cal {
class calculator;
}

// The file's name, beside the program.
inline constexpr const char* VARIABLE_FILE_NAME = "var.txt";

// "var.txt": one line per variable in name order, name + " = " + the value,
// ended by CR LF. "ans" is written like any other variable. The value is the
// shortest decimal text that reads back to the same double (whatever the
// display precision), which any decimal conversion reads, so older builds
// read the file too.

// Sets a variable for each line of the file. A line whose value is not a
// finite number that an expression could produce (nan, inf, 1e999, a
// subnormal) is skipped. False when the file does not open.
bool load_variables(const std::string& path, cal::calculator& calc);
// The same from a file already open.
void load_variables(std::FILE* in, cal::calculator& calc);

// The shortest decimal text that reads back to exactly this value.
std::string exact_value_text(double value);

// Replaces the file by the calculator's variables, each value exact. False
// when the file could not be written; the old file is then left as it was.
bool save_variables(text_file_writer& file, const cal::calculator& calc);
