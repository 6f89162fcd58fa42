#pragma once
#include <windows.h>
#include <htmlhelp.h>

// Help requests go to the HTML Help engine, loaded at run time so that the
// program starts and runs where it is missing. The arguments are HtmlHelpA's;
// the result is the engine's, or nullptr when help is unavailable.
HWND html_help(HWND caller, const char* file, UINT command, DWORD_PTR data);
