#pragma once
#include <windows.h>
#include <htmlhelp.h>

#include <string>

// Help requests go to the HTML Help engine, loaded at run time so that the
// program starts and runs where it is missing. The arguments are HtmlHelp's,
// the file named in ASCII; the result is the engine's, or nullptr when help
// is unavailable. The file is opened by its wide path, so help opens from a
// folder named outside the ANSI code page.
HWND html_help(HWND caller, const char* file, UINT command, DWORD_PTR data);

// HTML Help looks for a bare file name in the current folder, which is the
// program's folder only when it was started from there (not from a shortcut
// with another working folder). A help file named without a folder, with or
// without a "::/topic", is therefore taken from the directory given (ending
// in a backslash, UTF-8); other names are left as they are.
std::string help_file_beside(const char* file, const std::string& directory);
