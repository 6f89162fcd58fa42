#pragma once
#include "options/hotkey_field.h"
#include "ui/property_page.h"

struct settings;

// The "転送" page: the call hotkey, where the window comes up, and what is
// sent to the editor in front and what happens after sending.
class transfer_page : public property_page {
public:
    explicit transfer_page(settings& target);

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    bool on_kill_active() override;
    bool on_apply() override;
    void on_help(HELPINFO* help) override;

private:
    void show_hotkey(std::int32_t hotkey);
    std::int32_t typed_hotkey() const;

    settings& settings_;
    hotkey_field hotkey_field_;
};
