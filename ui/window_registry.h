#pragma once
#include <windows.h>

#include <cstddef>
#include <map>

class window;

// Finds the object of a window from its handle. Every window procedure of the
// framework looks here first, so an entry must leave as soon as its window is
// gone: the system reuses handle values, and a stale entry would hand the
// messages of a new window to an object that may no longer exist.
class window_registry {
public:
    // Enters (handle -> object). A handle already present keeps its object.
    void insert(HWND handle, window* object);
    // The object attached to the handle, or nullptr.
    window* find(HWND handle) const;
    // Forgets the handle (done when its window receives WM_NCDESTROY).
    void remove(HWND handle);
    void clear();
    std::size_t size() const { return entries_.size(); }

private:
    std::map<HWND, window*> entries_;
};
