#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// Reading texts of unknown length out of windows and controls. All texts are
// code page 932 byte strings; a failed read leaves an empty text.

// The whole window text (its length is asked first). Returns the length.
int get_window_text(HWND window, std::string& text);

// The text of an item or subitem of a list-view control, read into buffers
// growing by 256 bytes until it fits.
void get_list_view_item_text(HWND list_view, int item, int subitem, std::string& text);

// The text of the selected item of a combo box; empty without a selection.
void get_combo_selection_text(HWND combo_box, std::string& text);

