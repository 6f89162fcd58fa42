#include "options/function_text_warning.h"

#include "options/unreadable_functions.h"
#include "resources/resource.h"
#include "ui/program_resources.h"

void warn_of_unreadable_functions(HWND owner, const std::vector<std::string>& texts) {
    const std::string entries = unreadable_functions_report(texts);
    if (entries.empty())
        return;
    message_box(owner, load_text(IDS_UNREADABLE_FUNCTIONS) + "\r\n\r\n" + entries, MB_OK | MB_ICONWARNING);
}
