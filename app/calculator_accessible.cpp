#include "app/calculator_accessible.h"

#include <oleacc.h>

#include "app/window_layout.h"
#include "resources/resource.h"
#include "ui/accessibility.h"
#include "ui/program_resources.h"

namespace {

constexpr long ICON_CELL = 1;

} // namespace

std::wstring calculator_accessible::accessible_name(long child) const {
    return accessible_text(load_text(child == ICON_CELL ? IDS_ACCESSIBLE_ICON : IDS_APP_TITLE));
}

long calculator_accessible::accessible_role(long child) const {
    return child == ICON_CELL ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_CLIENT;
}

RECT calculator_accessible::accessible_location(long child) const {
    RECT r{};
    if (child != ICON_CELL) {
        GetClientRect(window_.handle(), &r);
    } else {
        const int size = dpi_scale{dpi_}(ICON_SIZE);
        r = RECT{0, 0, size, size};
    }
    MapWindowPoints(window_.handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
