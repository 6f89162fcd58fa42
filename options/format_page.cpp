#include "options/format_page.h"

#include "resources/resource.h"
#include "ui/html_help.h"

format_page::format_page(settings& target) : property_page(IDD_FORMAT_PAGE), settings_(target) {}

void format_page::on_help(HELPINFO*) {
    html_help(handle(), "Tarvik.chm::/html/format_page.htm", HH_DISPLAY_TOPIC, 0);
}
