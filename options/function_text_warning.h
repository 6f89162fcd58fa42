#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Tells the user which stored user function texts cannot be read (and are
// kept in the file, unused); says nothing when all can.
void warn_of_unreadable_functions(HWND owner, const std::vector<std::string>& texts);
