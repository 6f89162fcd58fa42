#include "options/user_function_dialog.h"

#include <htmlhelp.h>

#include <utility>
#include <vector>

#include "engine/calculator_error.h"
#include "engine/user_function.h"
#include "options/help_topics.h"
#include "resources/resource.h"
#include "ui/html_help.h"
#include "ui/program_resources.h"

namespace {

// Alt+X and Alt+Z are commands of the expression editor and Alt+Space is the
// default call hotkey.
bool is_system_key(int key) { return key == 'X' || key == 'Z' || key == ' '; }

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && is_blank(text[first]))
        ++first;
    while (end > first && is_blank(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

// The argument names as typed: split at commas, blanks around each dropped;
// a blank field means no arguments.
std::vector<std::string> typed_argument_names(const std::string& arguments) {
    std::vector<std::string> names;
    if (trimmed(arguments).empty())
        return names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = arguments.find(',', start);
        names.push_back(trimmed(arguments.substr(start, comma - start)));
        if (comma == std::string::npos)
            return names;
        start = comma + 1;
    }
}

// The editor looks an Alt+key up by the key's unshifted character
// (MapVirtualKey), so only such characters can ever call a function: letters,
// digits and the punctuation keys of the main block. Shifted symbols ("+" on
// most layouts), half-width kana and the half of a double-byte character
// never arrive. The numeric pad is left out: with Alt it types character codes.
bool alt_key_can_produce(int key) {
    if (key <= ' ' || key > '~')
        return false;
    for (UINT virtual_key = 0x30; virtual_key <= 0xE4; ++virtual_key) {
        if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_DIVIDE)
            continue;
        if (static_cast<int>(LOWORD(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_CHAR))) == key)
            return true;
    }
    return false;
}

int field_of_part(cal::definition_part part) {
    switch (part) {
    case cal::definition_part::name: return IDC_FUNCTION_NAME;
    case cal::definition_part::parameters: return IDC_FUNCTION_ARGUMENTS;
    case cal::definition_part::definition: return IDC_FUNCTION_DEFINITION;
    case cal::definition_part::none: break;
    }
    return 0;
}

} // namespace

user_function_dialog::user_function_dialog(const function_list& rows, function_entry entry, int edited_row,
                                           bool editable)
    : rows_(rows), entry_(std::move(entry)), edited_row_(edited_row), editable_(editable) {}

INT_PTR user_function_dialog::run(HWND owner) { return run_modal(IDD_USER_FUNCTION, owner); }

bool user_function_dialog::on_init_dialog(HWND, LPARAM) {
    SendDlgItemMessageA(handle(), IDC_FUNCTION_KEY, EM_LIMITTEXT, 1, 0);
    set_item_text(IDC_FUNCTION_NAME, entry_.name.c_str());
    set_item_text(IDC_FUNCTION_ARGUMENTS, entry_.arguments.c_str());
    set_item_text(IDC_FUNCTION_DEFINITION, entry_.definition.c_str());
    set_item_text(IDC_FUNCTION_DESCRIPTION, entry_.description.c_str());
    set_item_text(IDC_FUNCTION_KEY, key_text(entry_.key).c_str());
    if (editable_)
        return true;

    set_item_text(IDC_FUNCTION_DEFINITION, load_text(IDS_BUILTIN_DEFINITION).c_str());
    for (int id :
         {IDC_FUNCTION_NAME, IDC_FUNCTION_ARGUMENTS, IDC_FUNCTION_DEFINITION, IDC_FUNCTION_DESCRIPTION})
        SendDlgItemMessageA(handle(), id, EM_SETREADONLY, TRUE, 0);
    SetFocus(GetDlgItem(handle(), IDC_FUNCTION_KEY));
    return false;
}

// The checks run in a fixed order; the first that fails explains itself and
// keeps the dialog open with the focus on the field to fix.
void user_function_dialog::on_ok() {
    const int key = typed_key();
    if (is_system_key(key)) {
        refuse(IDS_KEY_USED_BY_SYSTEM, IDC_FUNCTION_KEY);
        return;
    }
    if (!key_is_free(key)) {
        refuse(IDS_KEY_USED_BY_FUNCTION, IDC_FUNCTION_KEY);
        return;
    }
    entry_.key = key;
    if (!editable_) {
        end_dialog(1);
        return;
    }

    get_item_text(IDC_FUNCTION_NAME, entry_.name);
    get_item_text(IDC_FUNCTION_ARGUMENTS, entry_.arguments);
    get_item_text(IDC_FUNCTION_DEFINITION, entry_.definition);
    get_item_text(IDC_FUNCTION_DESCRIPTION, entry_.description);
    if (fields_are_complete() && name_is_free() && engine_accepts())
        end_dialog(1);
}

void user_function_dialog::on_cancel() { end_dialog(0); }

void user_function_dialog::on_command(UINT notify_code, UINT id, HWND) {
    if (id == IDC_FUNCTION_HELP && notify_code == 0)
        show_help();
    else if (id == IDC_FUNCTION_KEY && notify_code == EN_CHANGE)
        refuse_key_alt_cannot_produce();
}

// The key edit holds only a key the editor can match; anything else is taken
// out again as it arrives, with a beep.
void user_function_dialog::refuse_key_alt_cannot_produce() {
    const int key = typed_key();
    if (key < 0 || alt_key_can_produce(key) || is_system_key(key))
        return;
    set_item_text(IDC_FUNCTION_KEY, "");
    MessageBeep(MB_OK);
}

void user_function_dialog::on_help(HELPINFO*) { show_help(); }

// The key edit upper-cases what is typed; a lower-case letter that reached it
// another way still means the same key.
int user_function_dialog::typed_key() const {
    std::string text;
    get_item_text(IDC_FUNCTION_KEY, text);
    int key = key_of_text(text);
    if (key >= 'a' && key <= 'z')
        key -= 'a' - 'A';
    return key;
}

// Built-in and user rows count alike; the row being edited keeps its own key.
bool user_function_dialog::key_is_free(int key) const {
    if (key < 0)
        return true;
    for (int row = 0; row < rows_.row_count(); ++row) {
        if (row != edited_row_ && key_of_text(rows_.text(row, function_list::key_column)) == key)
            return false;
    }
    return true;
}

bool user_function_dialog::fields_are_complete() {
    if (entry_.name.empty()) {
        refuse(IDS_FUNCTION_FIELD_MISSING, IDC_FUNCTION_NAME);
        return false;
    }
    if (entry_.definition.empty()) {
        refuse(IDS_FUNCTION_FIELD_MISSING, IDC_FUNCTION_DEFINITION);
        return false;
    }
    return true;
}

// The list's own search ignores letter case, as the engine does when it
// resolves a call; built-in names are in the list too.
bool user_function_dialog::name_is_free() {
    int row = rows_.find_label(entry_.name);
    if (row >= 0 && row != edited_row_) {
        refuse(IDS_FUNCTION_NAME_TAKEN, IDC_FUNCTION_NAME);
        return false;
    }
    return true;
}

bool user_function_dialog::engine_accepts() {
    cal::user_function parsed;
    try {
        parsed.parse_definition(entry_.stored_text());
    } catch (const cal::calculator_error& error) {
        message_box(handle(), error.message(), MB_OK | MB_ICONERROR);
        if (int field = field_of_part(error.part))
            SetFocus(GetDlgItem(handle(), field));
        return false;
    }
    // The parser skips blanks before the name and ignores what follows the
    // parameter list's ")", so "f(x)" as a name would define f(x) and drop
    // the typed arguments. What is stored must read back as what was typed.
    if (parsed.name != entry_.name) {
        refuse(IDS_FUNCTION_NAME_NOT_AS_READ, IDC_FUNCTION_NAME);
        return false;
    }
    if (parsed.parameters != typed_argument_names(entry_.arguments)) {
        refuse(IDS_ARGUMENTS_NOT_AS_READ, IDC_FUNCTION_ARGUMENTS);
        return false;
    }
    // A "//" in the definition would start the description when the text is
    // read back, silently cutting the definition.
    if (parsed.definition != entry_.definition) {
        refuse(IDS_DEFINITION_HAS_SEPARATOR, IDC_FUNCTION_DEFINITION);
        return false;
    }
    return true;
}

void user_function_dialog::refuse(UINT text_id, int focus_id) {
    message_box(handle(), text_id, MB_OK | MB_ICONERROR);
    SetFocus(GetDlgItem(handle(), focus_id));
}

void user_function_dialog::show_help() {
    html_help(handle(), FUNCTIONS_HELP_TOPIC, HH_DISPLAY_TOPIC, 0);
}
