#pragma once
#include <windows.h>

// The three procedures through which the system reaches window objects. Each
// looks the object up in the application's window_registry; an entry is made
// when the window is attached and removed at the window's WM_NCDESTROY, so no
// message ever reaches an object of a window that is gone.

// Windows of own classes and subclassed controls. The object arrives as the
// creation parameter with WM_NCCREATE; messages for windows without an object
// (those that come before WM_NCCREATE among them) go to DefWindowProc.
LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);

// Modal dialogs: the object is the initialisation parameter of WM_INITDIALOG;
// messages before it answer FALSE.
INT_PTR CALLBACK dialog_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);

// Property pages: as dialog_procedure, the object being the application value
// of the page record that comes with WM_INITDIALOG.
INT_PTR CALLBACK page_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);

// Registers a window class of the program's instance whose windows are served
// by window_procedure: no extra bytes, no menu. Returns the class atom, 0 on
// failure.
ATOM register_class(const char* class_name, UINT class_style, HICON icon, HICON small_icon,
                    HCURSOR cursor, HBRUSH background);
