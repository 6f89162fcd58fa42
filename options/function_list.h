#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "options/function_item.h"

// The report-view list of the functions page, reached through its handle:
// one row per function, columns name, arguments, description and key. Each
// row owns a function_item, kept in the row's item data: it comes with the
// row and goes with it. The object does not own the control.
class function_list {
public:
    enum column_index { name_column, arguments_column, description_column, key_column };

    explicit function_list(HWND control = nullptr) : control_(control) {}
    HWND handle() const { return control_; }

    // The four columns with their titles and widths, full-row selection and
    // the two row icons (image 0 built-in, image 1 user), which the control
    // destroys with itself.
    void set_up();

    // Inserts a row labelled name; the sorted list places it. Returns its
    // index, -1 on failure (the item is then freed).
    int insert_row(const std::string& name, int image, std::unique_ptr<function_item> item);
    // Removes the row and hands its item back.
    std::unique_ptr<function_item> take_row(int row);
    // Frees the items of all rows and empties the list (the control is going).
    void clear();
    void select(int row);

    int row_count() const;
    std::string text(int row, int column) const;
    void set_text(int row, int column, const std::string& text);
    function_item* item(int row) const;

    // The row whose label equals name, ignoring letter case; -1 when none.
    int find_label(const std::string& name) const;
    // The row last selected by the user; -1 when none was.
    int selection_mark() const;

private:
    HWND control_;
};

// A key as the key column shows it: one character, empty for none (-1).
std::string key_text(int key);
// The key of a key column text: its first character, -1 when empty.
int key_of_text(const std::string& text);
