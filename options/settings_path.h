#pragma once
#include <string>

// The folder of "Tarvik.ini", "history.txt" and "var.txt" in UTF-8, ending
// in a backslash: the program's directory, or the current folder (".\") when that
// cannot be found. All three files are opened from here, so that they never
// end up in different places.
std::string settings_folder();
