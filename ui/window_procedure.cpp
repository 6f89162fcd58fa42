#include "ui/window_procedure.h"

#include <prsht.h>

#include "ui/application.h"
#include "ui/dialog.h"
#include "ui/property_page.h"

namespace {

window* find_object(HWND handle)
{
    application* app = application::current();
    return app ? app->registry().find(handle) : nullptr;
}

void attach(HWND handle, window* object)
{
    application* app = application::current();
    if (!app || !object)
        return;
    object->attach(handle);
    app->registry().insert(handle, object);
}

// The window is gone after its final message: forget it on both sides.
void forget(HWND handle, window* object)
{
    if (application* app = application::current())
        app->registry().remove(handle);
    object->detach();
}

INT_PTR dialog_message(HWND handle, UINT message, WPARAM wparam, LPARAM lparam,
                       dialog* object_at_init)
{
    if (message == WM_INITDIALOG)
        attach(handle, object_at_init);
    auto* object = static_cast<dialog*>(find_object(handle));
    if (!object)
        return FALSE;
    if (message == WM_NCDESTROY) {
        forget(handle, object);
        return FALSE;
    }
    return object->dialog_dispatch(message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTA*>(lparam);
        attach(handle, static_cast<window*>(creation->lpCreateParams));
    }
    window* object = find_object(handle);
    if (!object)
        return DefWindowProcA(handle, message, wparam, lparam);
    LRESULT result = object->dispatch(message, wparam, lparam);
    if (message == WM_NCDESTROY)
        forget(handle, object);
    return result;
}

INT_PTR CALLBACK dialog_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    dialog* object = message == WM_INITDIALOG ? reinterpret_cast<dialog*>(lparam) : nullptr;
    return dialog_message(handle, message, wparam, lparam, object);
}

INT_PTR CALLBACK page_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    property_page* object = nullptr;
    if (message == WM_INITDIALOG && lparam) {
        auto* page = reinterpret_cast<PROPSHEETPAGEA*>(lparam);
        object = reinterpret_cast<property_page*>(page->lParam);
    }
    return dialog_message(handle, message, wparam, lparam, object);
}

ATOM register_class(const char* class_name, UINT class_style, HICON icon, HICON small_icon,
                    HCURSOR cursor, HBRUSH background)
{
    application* app = application::current();
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = class_style;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = app ? app->instance() : GetModuleHandleA(nullptr);
    window_class.hIcon = icon;
    window_class.hIconSm = small_icon;
    window_class.hCursor = cursor;
    window_class.hbrBackground = background;
    window_class.lpszClassName = class_name;
    return RegisterClassExA(&window_class);
}
