#pragma once
#include <cstdio>
#include <string>

#include "calc/text_file_writer.h"

class history_store;

// The file's name, beside the program.
inline constexpr const char* HISTORY_FILE_NAME = "history.txt";

// "history.txt": one line per entry, oldest first, each line
// expression + " = " + answer ended by CR LF. No header, no escaping.

// Adds the file's lines to the store in file order, so that the last line
// ends up newest and only the last HISTORY_LIMIT lines remain. False when the
// file does not open (the store is then unchanged).
bool load_history(const std::string& path, history_store& history);
// The same from a file already open.
void load_history(std::FILE* in, history_store& history);

// Replaces the file by the store's entries, oldest first. False when the
// file could not be written; the old file is then left as it was.
bool save_history(text_file_writer& file, const history_store& history);
