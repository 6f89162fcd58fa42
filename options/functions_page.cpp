#include "options/functions_page.h"

#include "resources/resource.h"
#include "ui/html_help.h"

functions_page::functions_page(settings& target) : property_page(IDD_FUNCTIONS_PAGE), settings_(target) {}

void functions_page::on_help(HELPINFO*) {
    html_help(handle(), "Tarvik.chm::/html/func_page.htm", HH_DISPLAY_TOPIC, 0);
}
