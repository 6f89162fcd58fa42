#pragma once
#include <windows.h>

#include <string>

// The icon drawn in the grip's corner, owned: the chosen icon file, or the
// program's own icon when none is chosen or the file holds no loadable icon
// (moved, deleted, not an icon at all). A new load destroys the icon it
// replaces, so that confirming the options again and again leaves nothing
// behind.
class grip_icon {
public:
    grip_icon() = default;
    ~grip_icon() { release(); }
    grip_icon(const grip_icon&) = delete;
    grip_icon& operator=(const grip_icon&) = delete;

    // Loads at the given size in pixels, that of the icon cell at the window's
    // DPI, so that the icon stays sharp.
    void load(const std::string& file, int size);
    HICON handle() const { return icon_; }

private:
    void release();

    HICON icon_ = nullptr;
};
