#include "ui/program_resources.h"

#include "resources/resource.h"
#include "ui/application.h"
#include "ui/visual_styles.h"

HINSTANCE program_instance() {
    application* app = application::current();
    return app ? app->instance() : GetModuleHandleA(nullptr);
}

std::string load_text(UINT id) {
    std::string text;
    if (application* app = application::current())
        app->load_string_resource(id, text);
    return text;
}

namespace {

message_box_function shown_with = MessageBoxA;

} // namespace

message_box_function set_message_box_function(message_box_function show) {
    const message_box_function previous = shown_with;
    shown_with = show ? show : MessageBoxA;
    return previous;
}

int message_box(HWND owner, UINT text_id, UINT type) { return message_box(owner, load_text(text_id), type); }

int message_box(HWND owner, const std::string& text, UINT type) {
    std::string caption = load_text(IDS_APP_TITLE);
    if (caption.empty())
        caption = "Tarvik";
    const visual_styles_scope themed;
    return shown_with(owner, text.c_str(), caption.c_str(), type);
}

popup_menu::popup_menu(UINT menu_id) : bar_(LoadMenuA(program_instance(), MAKEINTRESOURCEA(menu_id))) {
    if (bar_)
        items_ = GetSubMenu(bar_, 0);
}

popup_menu::~popup_menu() {
    if (bar_)
        DestroyMenu(bar_);
}

BOOL popup_menu::track(HWND owner, int x, int y, UINT flags) const {
    return items_ ? TrackPopupMenu(items_, flags, x, y, 0, owner, nullptr) : FALSE;
}
