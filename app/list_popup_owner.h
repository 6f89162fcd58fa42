#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "calc/list_kind.h"
#include "ui/colour.h"
#include "ui/dpi_scale.h"

// What the list popup needs from the window it drops down from: where it
// goes, how it looks, the rows it lists and what picking or deleting a row
// does. The popup knows nothing else of its owner.
class list_popup_owner {
public:
    // The window that owns the popup.
    virtual HWND list_owner_window() const = 0;
    // The control the popup opens below (above, near the bottom of the work
    // area) and as wide as; it gets the focus back when the popup closes.
    virtual HWND list_anchor() const = 0;
    // The font the list borrows, read at every activation.
    virtual std::string list_font_face() const = 0;
    virtual int list_font_size() const = 0;
    // The DPI the popup is laid out at: its owner's.
    virtual int list_dpi() const { return system_dpi_scale().dpi; }
    // Sets the list's colours on dc and gives its background brush.
    virtual HBRUSH list_colours(HDC dc) = 0;
    // The background of the list's flat scroll bar.
    virtual colour_value list_scroll_bar_colour() const = 0;

    // The rows to show, top first.
    virtual std::vector<std::string> list_rows(list_kind kind) const = 0;
    // The row at index was picked.
    virtual void insert_list_entry(list_kind kind, std::size_t index) = 0;
    // Asks (a message box owned by owner) and deletes the row at index, or
    // every row; true when something was deleted. Nothing is deleted when the
    // rows changed while the question was up: the index would name another
    // entry than the one the user chose.
    virtual bool delete_list_entries(HWND owner, list_kind kind, std::size_t index, bool all) = 0;

protected:
    ~list_popup_owner() = default;
};
