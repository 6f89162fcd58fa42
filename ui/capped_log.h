#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A small text log that never grows past a fixed size: when a new line would
// take it past the cap, the older half of the file is dropped first (at a line
// boundary), so the newest lines always stay. Lines end in CR LF; a line
// longer than half the cap is cut to that length.

// Appends one line to the file at path (UTF-8); false when the file could not be written (the program
// goes on without its log).
bool append_capped_line(const std::string& path, std::string_view line, std::size_t cap);
