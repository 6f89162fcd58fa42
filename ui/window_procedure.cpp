#include "ui/window_procedure.h"

#include "ui/application.h"
#include "ui/exception_guard.h"
#include "ui/program_resources.h"
#include "ui/window.h"

window* find_window_object(HWND handle) {
    application* app = application::current();
    return app ? app->registry().find(handle) : nullptr;
}

void attach_window_object(HWND handle, window* object) {
    application* app = application::current();
    if (!app || !object)
        return;
    object->attach(handle);
    app->registry().insert(handle, object);
}

// The window is gone after its final message: forget it on both sides.
void forget_window_object(HWND handle, window* object) {
    if (application* app = application::current())
        app->registry().remove(handle);
    object->detach();
}

LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTA*>(lparam);
        attach_window_object(handle, static_cast<window*>(creation->lpCreateParams));
    }
    window* object = find_window_object(handle);
    if (!object)
        return DefWindowProcA(handle, message, wparam, lparam);
    const LRESULT result = guarded(
        [&] { return object->dispatch(message, wparam, lparam); },
        [&] { return CallWindowProcA(object->previous_procedure(), handle, message, wparam, lparam); });
    if (message == WM_NCDESTROY)
        forget_window_object(handle, object);
    return result;
}

ATOM register_class(const char* class_name, UINT class_style, HICON icon, HICON small_icon, HCURSOR cursor,
                    HBRUSH background) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = class_style;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = program_instance();
    window_class.hIcon = icon;
    window_class.hIconSm = small_icon;
    window_class.hCursor = cursor;
    window_class.hbrBackground = background;
    window_class.lpszClassName = class_name;
    return RegisterClassExA(&window_class);
}
