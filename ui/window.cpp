#include "ui/window.h"

#include "ui/application.h"
#include "ui/program_resources.h"
#include "ui/text.h"
#include "ui/window_procedure.h"

window::~window() {
    if (!handle_)
        return;
    application* app = application::current();
    if (!app || app->registry().find(handle_) != this)
        return; // an unregistered wrapper of someone else's window
    app->registry().remove(handle_);
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle_, GWLP_WNDPROC));
    if (current == window_procedure && previous_procedure_ != DefWindowProcA)
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_procedure_));
}

bool window::create(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu_or_id) {
    HWND created = CreateWindowExA(ex_style, class_name, title, style, x, y, width, height, parent,
                                   menu_or_id, program_instance(), this);
    if (!created)
        return false;
    handle_ = created;
    return true;
}

bool window::create_edit_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                                 int height, HWND parent, HMENU menu_or_id) {
    return create_subclassed_control("Edit", ex_style, title, style, x, y, width, height, parent, menu_or_id);
}

bool window::create_list_box_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                                     int height, HWND parent, HMENU menu_or_id) {
    return create_subclassed_control("ListBox", ex_style, title, style, x, y, width, height, parent,
                                     menu_or_id);
}

bool window::create_subclassed_control(const char* class_name, DWORD ex_style, const char* title, DWORD style,
                                       int x, int y, int width, int height, HWND parent, HMENU menu_or_id) {
    // A system class knows nothing of our creation parameter; the object is
    // attached by hand once the control exists.
    HWND created = CreateWindowExA(ex_style, class_name, title, style, x, y, width, height, parent,
                                   menu_or_id, program_instance(), this);
    return subclass_control(created);
}

bool window::subclass_control(HWND control) {
    if (!control)
        return false;
    handle_ = control;
    if (application* app = application::current())
        app->registry().insert(handle_, this);
    auto replaced = SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window_procedure));
    previous_procedure_ = reinterpret_cast<WNDPROC>(replaced);
    return true;
}

int window::get_window_text(std::string& text) const { return ::get_window_text(handle_, text); }
