#include "ui/html_help.h"

HWND html_help(HWND, const char*, UINT, DWORD_PTR)
{
    // The engine is loaded on first use once the help file exists.
    return nullptr;
}
