#pragma once
#include <string>
#include <string_view>

// The command line of a per-user "Run" value, which Windows starts at log-on.

// The program's full path in quotes, so that a folder name with spaces (as in
// "Program Files") is not split into a program and arguments.
std::wstring run_command_for(std::wstring_view program_path);

// True when the command starts the program at that path: quoted or not,
// followed by arguments or not, with letters compared without regard to case
// and either slash taken for a folder separator, as the file system does.
bool run_command_starts(std::wstring_view command, std::wstring_view program_path);
