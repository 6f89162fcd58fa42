#pragma once
#include <string>

// The settings file: "Tarvik.ini" (string resource 3) in the program's
// directory.
std::string settings_file_path();
