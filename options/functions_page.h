#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "options/function_list.h"
#include "ui/property_page.h"

struct settings;
struct function_entry;

// The "関数" page: every function the calculator knows, built-in and the
// user's own, sorted by name. The user registers, edits and deletes user
// functions and binds any function to an Alt+key; the user functions and the
// bindings reach the settings only when the sheet is confirmed.
class functions_page : public property_page {
public:
    explicit functions_page(settings& target);

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    void on_notify(int control_id, NMHDR* header) override;
    bool on_apply() override;
    void on_help(HELPINFO* help) override;
    void on_destroy() override;

private:
    void add_builtin_rows();
    void add_user_rows();
    void set_key_column(int row, int code);
    void keep_unreadable_entries();

    void register_function();
    void edit_function();
    void delete_function();
    void move_to_name_order(int row);
    void enable_row_buttons(bool edit, bool remove);
    function_entry entry_of(int row) const;
    void show_entry(int row, const function_entry& entry);

    // A stored text the engine cannot read, with the key bound to it (-1
    // for none): not listed, written back unchanged after the listed ones.
    struct unreadable_entry {
        std::string text;
        int key;
    };

    settings& settings_;
    function_list rows_;
    std::vector<unreadable_entry> unreadable_;
};
