#pragma once
#include "ui/property_page.h"

struct settings;

// The "書式" page of the options sheet. For now an empty page, so that the
// sheet already has its four tabs.
class format_page : public property_page {
public:
    explicit format_page(settings& target);

protected:
    void on_help(HELPINFO* help) override;

private:
    settings& settings_;
};
