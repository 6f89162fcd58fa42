#include "ui/html_help.h"

#include "ui/html_help_library.h"

HWND html_help(HWND caller, const char* file, UINT command, DWORD_PTR data)
{
    static html_help_library engine(html_help_library::system_location);
    return engine.call(caller, file, command, data);
}
