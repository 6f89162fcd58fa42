#include "options/functions_page.h"

#include <commctrl.h>
#include <htmlhelp.h>

#include <memory>
#include <utility>

#include "engine/builtin_functions.h"
#include "engine/calculator_error.h"
#include "engine/user_function.h"
#include "options/function_entry.h"
#include "options/help_topics.h"
#include "options/settings.h"
#include "options/user_function_dialog.h"
#include "resources/resource.h"
#include "ui/html_help.h"
#include "ui/program_resources.h"

namespace {

constexpr int builtin_image = 0;
constexpr int user_image = 1;

// Built-ins name their arguments x, y, z, ... in the arguments column.
std::string builtin_argument_names(int count) {
    std::string names;
    for (int index = 0; index < count; ++index) {
        if (index > 0)
            names += ", ";
        names += static_cast<char>('a' + ('x' - 'a' + index) % 26);
    }
    return names;
}

// The key of the first binding of code; -1 when none.
int bound_key(const std::vector<shortcut_key>& bindings, std::int32_t code) {
    for (const shortcut_key& binding : bindings) {
        if (binding.code == code)
            return binding.key;
    }
    return -1;
}

bool key_is_bound(const std::vector<shortcut_key>& bindings, int key) {
    for (const shortcut_key& binding : bindings) {
        if (binding.key == key)
            return true;
    }
    return false;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

functions_page::functions_page(settings& target) : property_page(IDD_FUNCTIONS_PAGE), settings_(target) {}

bool functions_page::on_init_dialog(HWND, LPARAM) {
    rows_ = function_list(GetDlgItem(handle(), IDC_FUNCTION_LIST));
    rows_.set_up();
    add_builtin_rows();
    add_user_rows();
    return true;
}

void functions_page::add_builtin_rows() {
    for (int index = 0; index < cal::builtin_function_count; ++index) {
        const cal::builtin_function& function = cal::builtin_function_table[index];
        int row = rows_.insert_row(function.name, builtin_image,
                                   std::make_unique<function_item>(function_item{index, false, {}}));
        if (row < 0)
            continue;
        rows_.set_text(row, function_list::arguments_column, builtin_argument_names(function.arg_count));
        rows_.set_text(row, function_list::description_column, function.description);
        set_key_column(row, index);
    }
}

// A stored definition that the engine rejects (a hand-edited file) gets no
// row, as it gets no place in the engine at start-up; it is kept, text and
// key, and written back as it was.
void functions_page::add_user_rows() {
    unreadable_.clear();
    const auto& texts = settings_.user_function_texts;
    for (std::size_t index = 0; index < texts.size(); ++index) {
        const std::int32_t code = static_cast<std::int32_t>(index) | USER_FUNCTION_FLAG;
        cal::user_function parsed;
        try {
            parsed.parse_definition(texts[index]);
        } catch (const cal::calculator_error&) {
            if (!texts[index].empty())
                unreadable_.push_back({texts[index], bound_key(settings_.shortcut_keys, code)});
            continue;
        }
        int row = rows_.insert_row(
            parsed.name, user_image,
            std::make_unique<function_item>(function_item{-1, true, parsed.definition}));
        if (row < 0)
            continue;
        rows_.set_text(row, function_list::arguments_column, joined(parsed.parameters));
        rows_.set_text(row, function_list::description_column, parsed.description);
        set_key_column(row, code);
    }
}

void functions_page::set_key_column(int row, int code) {
    for (const shortcut_key& binding : settings_.shortcut_keys) {
        if (binding.code == code)
            rows_.set_text(row, function_list::key_column, key_text(binding.key));
    }
}

void functions_page::on_command(UINT, UINT id, HWND) {
    switch (id) {
    case IDC_REGISTER_FUNCTION: register_function(); break;
    case IDC_EDIT_FUNCTION: edit_function(); break;
    case IDC_DELETE_FUNCTION: delete_function(); break;
    default: break;
    }
}

void functions_page::on_notify(int control_id, NMHDR* header) {
    if (header && control_id == IDC_FUNCTION_LIST) {
        if (header->code == LVN_ITEMCHANGED) {
            // Only a row becoming selected counts: setting a row's texts
            // notifies a change too.
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            bool selected = (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED);
            if (selected) {
                const function_item* item = rows_.item(change->iItem);
                enable_row_buttons(true, item && item->is_user);
            }
        } else if (header->code == NM_DBLCLK) {
            if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0)
                edit_function();
        }
    }
    property_page::on_notify(control_id, header);
}

void functions_page::register_function() {
    user_function_dialog editor(rows_, function_entry{}, -1, true);
    if (editor.run(handle()) != 1)
        return;
    const function_entry& entry = editor.entry();
    int row = rows_.insert_row(entry.name, user_image,
                               std::make_unique<function_item>(function_item{-1, true, entry.definition}));
    if (row >= 0)
        show_entry(row, entry);
}

void functions_page::edit_function() {
    int row = rows_.selection_mark();
    function_item* item = row >= 0 ? rows_.item(row) : nullptr;
    if (!item)
        return;
    user_function_dialog editor(rows_, entry_of(row), row, item->is_user);
    if (editor.run(handle()) != 1)
        return;
    const bool renamed = rows_.text(row, function_list::name_column) != editor.entry().name;
    show_entry(row, editor.entry());
    if (item->is_user)
        item->definition = editor.entry().definition;
    if (renamed)
        move_to_name_order(row);
}

// The control sorts rows only as they are inserted, so a renamed row is
// inserted again, with its item, and stays selected.
void functions_page::move_to_name_order(int row) {
    const function_entry entry = entry_of(row);
    std::unique_ptr<function_item> item = rows_.take_row(row);
    const int image = item->is_user ? user_image : builtin_image;
    int new_row = rows_.insert_row(entry.name, image, std::move(item));
    if (new_row < 0)
        return;
    show_entry(new_row, entry);
    rows_.select(new_row);
}

void functions_page::delete_function() {
    int row = rows_.selection_mark();
    function_item* item = row >= 0 ? rows_.item(row) : nullptr;
    if (!item || !item->is_user)
        return;
    if (message_box(handle(), IDS_DELETE_FUNCTION_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    rows_.take_row(row); // the item goes with the row
    // No row is selected any more: nothing for the buttons to act on.
    enable_row_buttons(false, false);
}

void functions_page::enable_row_buttons(bool edit, bool remove) {
    EnableWindow(GetDlgItem(handle(), IDC_EDIT_FUNCTION), edit);
    EnableWindow(GetDlgItem(handle(), IDC_DELETE_FUNCTION), remove);
}

function_entry functions_page::entry_of(int row) const {
    function_entry entry;
    entry.name = rows_.text(row, function_list::name_column);
    entry.arguments = rows_.text(row, function_list::arguments_column);
    entry.description = rows_.text(row, function_list::description_column);
    entry.key = key_of_text(rows_.text(row, function_list::key_column));
    if (const function_item* item = rows_.item(row))
        entry.definition = item->definition;
    return entry;
}

// A built-in row's dialog gives back its own texts, so only the key changes.
void functions_page::show_entry(int row, const function_entry& entry) {
    rows_.set_text(row, function_list::name_column, entry.name);
    rows_.set_text(row, function_list::arguments_column, entry.arguments);
    rows_.set_text(row, function_list::description_column, entry.description);
    rows_.set_text(row, function_list::key_column, key_text(entry.key));
}

// Rebuilt in the list's (name) order: a user function's index is its place
// among the user rows, and its key binding refers to that index.
bool functions_page::on_apply() {
    settings_.user_function_texts.clear();
    settings_.shortcut_keys.clear();
    for (int row = 0; row < rows_.row_count(); ++row) {
        const function_item* item = rows_.item(row);
        if (!item)
            continue;
        const function_entry entry = entry_of(row);
        if (entry.key >= 0) {
            auto user_index = static_cast<std::int32_t>(settings_.user_function_texts.size());
            std::int32_t code = item->is_user ? (user_index | USER_FUNCTION_FLAG) : item->builtin_index;
            settings_.shortcut_keys.push_back(shortcut_key{code, entry.key});
        }
        if (item->is_user) {
            settings_.user_function_texts.push_back(entry.stored_text());
        }
    }
    keep_unreadable_entries();
    return false;
}

// After the listed ones, so that their indexes stay in name order. A kept key
// gives way to a listed function that took it meanwhile.
void functions_page::keep_unreadable_entries() {
    for (const unreadable_entry& entry : unreadable_) {
        const auto index = static_cast<std::int32_t>(settings_.user_function_texts.size());
        settings_.user_function_texts.push_back(entry.text);
        if (entry.key >= 0 && !key_is_bound(settings_.shortcut_keys, entry.key))
            settings_.shortcut_keys.push_back(shortcut_key{index | USER_FUNCTION_FLAG, entry.key});
    }
}

void functions_page::on_help(HELPINFO*) {
    html_help(handle(), FUNCTIONS_HELP_TOPIC, HH_DISPLAY_TOPIC, 0);
}

// The control goes after this page: its rows give up their items now.
void functions_page::on_destroy() { rows_.clear(); }
