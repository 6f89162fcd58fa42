#pragma once
#include <string>
#include <string_view>

namespace cli {

// Where a line comes from: its encoding differs on Windows, where arguments
// are in the ANSI code page and the console has a code page of its own.
enum class text_source { argument, standard_input };

// A line as the user typed it (UTF-8 on Linux; the ANSI or console code page
// on Windows, bytes unchanged when that is 932) in the engine's code page
// 932. A character that code page 932 has not, and a byte that is no
// character, becomes 〓, which the engine reports at its place: never a
// character the user did not type.
std::string engine_text(std::string_view typed, text_source source);

} // namespace cli
