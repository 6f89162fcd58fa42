#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// The paths of the program's own files are kept in UTF-8 and opened through
// the system's wide functions, so that a folder named outside the ANSI code
// page (C:\Users\Zoë\Tools, a Korean or an emoji folder) works as well as a
// Japanese one. (Elsewhere than Windows, paths are UTF-8 bytes already.)

#ifdef _WIN32
std::wstring wide_path(std::string_view utf8);
std::string utf8_path(std::wstring_view wide);
#endif

// fopen for a UTF-8 path.
std::FILE* open_path(const std::string& utf8, const char* mode);
// remove for a UTF-8 path.
bool remove_path(const std::string& utf8);
// The path in the program's code page, for a message: a character without a
// form there shows as the system's stand-in.
std::string path_for_display(const std::string& utf8);
