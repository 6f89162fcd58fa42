#pragma once
#include "ui/property_page.h"

struct settings;

// The "表示" page: result digits, answer form, angle unit and the display and
// window switches. It refuses to be left while a digit count is out of range.
class display_page : public property_page {
public:
    explicit display_page(settings& target);

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    bool on_kill_active() override;
    bool on_apply() override;
    void on_help(HELPINFO* help) override;

private:
    // Shows the range message and puts the focus on the edit; true when the
    // edit's number is outside [lowest, highest].
    bool refuse_out_of_range(int edit_id, unsigned lowest, unsigned highest, unsigned text_id);
    unsigned edit_number(int edit_id) const;
    // Writes or removes the Run value when the check box differs from it.
    void apply_start_with_windows();

    settings& settings_;
};
