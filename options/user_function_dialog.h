#pragma once
#include <windows.h>

#include <string>

#include "options/function_entry.h"
#include "options/function_list.h"
#include "ui/dialog.h"

// The "関数の設定" dialog: edits one row of the functions list and checks it
// against the other rows and the engine before it closes. A built-in row
// (not editable) shows its fields read-only and changes only its key.
class user_function_dialog : public dialog {
public:
    // edited_row is the row being edited, -1 for a new function.
    user_function_dialog(const function_list& rows, function_entry entry, int edited_row, bool editable);

    // Runs modally over owner: 1 when confirmed (entry() then holds the
    // result), 0 when cancelled.
    INT_PTR run(HWND owner);
    const function_entry& entry() const { return entry_; }

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    void on_ok() override;
    void on_cancel() override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    void on_help(HELPINFO* help) override;

private:
    int typed_key() const;
    void refuse_key_alt_cannot_produce();
    bool key_is_free(int key) const;
    // False after telling the user what is wrong with the fields.
    bool fields_are_complete();
    bool name_is_free();
    bool engine_accepts();
    void refuse(UINT text_id, int focus_id);
    void show_help();

    const function_list& rows_;
    function_entry entry_;
    int edited_row_;
    bool editable_;
};
