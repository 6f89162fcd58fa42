#pragma once
#include <cstdio>
#include <string>

#include "calc/text_file_writer.h"

namespace cal {
class calculator;
}

// The file's name, beside the program.
inline constexpr const char* VARIABLE_FILE_NAME = "var.txt";

// "var.txt": one line per variable in name order, name + " = " + the value
// as shown without grouping commas, ended by CR LF. "ans" is written like
// any other variable.

// Sets a variable for each line of the file. A line whose value is not a
// finite number that an expression could produce (nan, inf, 1e999, a
// subnormal) is skipped. False when the file does not open.
bool load_variables(const std::string& path, cal::calculator& calc);
// The same from a file already open.
void load_variables(std::FILE* in, cal::calculator& calc);

// Replaces the file by the calculator's variables, each value formatted with
// the given display precision and exponent threshold; the values are
// therefore kept only to that precision. False when the file could not be
// written; the old file is then left as it was.
bool save_variables(text_file_writer& file, const cal::calculator& calc, int precision, int exp_translate);
