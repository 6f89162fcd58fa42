#pragma once
#include <windows.h>

#include "ui/accessible_content.h"
#include "ui/dpi_scale.h"
#include "ui/window.h"

// The calculator window as a screen reader meets it: named by its title,
// with the icon cell in its top left corner (a click there hides the
// window) as its one part without a window of its own. The editor and the
// answer display answer for themselves.
class calculator_accessible : public accessible_content {
public:
    // The window and the scale its icon cell is drawn at, read when asked.
    calculator_accessible(const window& calculator, const int& dpi) : window_(calculator), dpi_(dpi) {}

    std::wstring accessible_name(long child) const override;
    long accessible_role(long child) const override;
    long accessible_child_count() const override { return 1; }
    RECT accessible_location(long child) const override;

private:
    const window& window_;
    const int& dpi_;
};
