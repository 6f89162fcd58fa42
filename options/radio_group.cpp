#include "options/radio_group.h"

#include "ui/dialog.h"

void check_radio_of_value(dialog& page, int first_id, int last_id, std::int32_t value) {
    if (value < 0 || value > last_id - first_id)
        return;
    page.check_button(first_id + value, BST_CHECKED);
}

std::int32_t checked_radio_value(const dialog& page, int first_id, int last_id, std::int32_t current) {
    const int checked = page.find_checked_radio(first_id, last_id);
    return checked < 0 ? current : checked - first_id;
}
