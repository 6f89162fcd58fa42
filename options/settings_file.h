#pragma once
#include "options/settings.h"

#include <cstddef>
#include <string>

// Counts read from a hand-edited or damaged file are limited to these, so
// that a stray huge "Size" cannot exhaust memory or stall the start-up.
// Real lists stay far below: a key can be bound only once.
constexpr std::size_t USER_FUNCTION_LIMIT = 4096;
constexpr std::size_t SHORTCUT_KEY_LIMIT = 256;

// The file's name is UTF-8 (ui/wide_path.h); the values are Shift-JIS.

// Fills every field from the INI file; a missing file, section or key leaves
// the default of a default-constructed record. Never fails.
void load_settings(settings& record, const std::string& file_name);

// Writes every field, one value per call, into sections "Option",
// "User Function" and "Color & Style" of a copy of the file beside it, which
// replaces the file only when every value was written. False when the file
// could not be saved (read-only file, folder not writable, disk full, file
// locked): the old file is then exactly as it was, and the program goes on
// with the record in memory.
bool save_settings(const settings& record, const std::string& file_name);
