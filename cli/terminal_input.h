#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Where a line comes from: its encoding differs on Windows, where the console
// has a code page of its own.
enum class text_source { argument, standard_input };

// A line as the user typed it (UTF-8 on Linux; on Windows UTF-8 for the
// arguments and the console's code page for its lines, bytes unchanged when
// that is 932) in the engine's code page
// 932. A character that code page 932 has not, and a byte that is no
// character, becomes 〓, which the engine reports at its place: never a
// character the user did not type.
std::string engine_text(std::string_view typed, text_source source);

// The program's arguments: on Windows in UTF-8 from the wide command line
// (the ANSI ones have lost what the ANSI code page lacks, such as the minus
// sign); elsewhere as they are.
std::vector<std::string> typed_arguments(int argc, char** argv);

} // namespace cli
