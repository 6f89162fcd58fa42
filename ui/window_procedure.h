#pragma once
#include <windows.h>

class window;

// The procedure through which the system reaches window objects (the dialog
// and page procedures sit beside their classes and share the lookup below).
// Each looks the object up in the application's window_registry; an entry is
// made when the window is attached and removed at the window's WM_NCDESTROY,
// so no message ever reaches an object of a window that is gone. An exception
// thrown by a handler ends at the procedure (exception_guard.h).

// Windows of own classes and subclassed controls. The object arrives as the
// creation parameter with WM_NCCREATE; messages for windows without an object
// (those that come before WM_NCCREATE among them) go to DefWindowProc. When a
// handler throws, the message goes to the object's previous procedure.
LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);

// The registry entries the procedures keep: the object of a handle (nullptr
// without an application or an entry), an object attached to its new window,
// and one whose window has received its final message.
window* find_window_object(HWND handle);
void attach_window_object(HWND handle, window* object);
void forget_window_object(HWND handle, window* object);

// Registers a window class of the program's instance whose windows are served
// by window_procedure: no extra bytes, no menu. Returns the class atom, 0 on
// failure.
ATOM register_class(const char* class_name, UINT class_style, HICON icon, HICON small_icon, HCURSOR cursor,
                    HBRUSH background);
