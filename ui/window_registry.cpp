#include "ui/window_registry.h"

void window_registry::insert(HWND handle, window* object) { entries_.emplace(handle, object); }

window* window_registry::find(HWND handle) const {
    auto entry = entries_.find(handle);
    return entry == entries_.end() ? nullptr : entry->second;
}

void window_registry::remove(HWND handle) { entries_.erase(handle); }

void window_registry::clear() { entries_.clear(); }
