#pragma once
#include <windows.h>

#include <string>

// What a window tells a screen reader about itself (child 0) and the parts
// of it that are no windows of their own (children 1 to child_count()): a
// name, a role (ROLE_SYSTEM_*), a value and where each is on the screen.
class accessible_content {
public:
    virtual std::wstring accessible_name(long child) const = 0;
    virtual long accessible_role(long child) const = 0;
    virtual std::wstring accessible_value(long) const { return {}; }
    virtual long accessible_child_count() const { return 0; }
    // The child's rectangle in screen coordinates; child 0 is the window's.
    virtual RECT accessible_location(long child) const = 0;

protected:
    ~accessible_content() = default;
};
