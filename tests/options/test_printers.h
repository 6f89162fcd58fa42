#pragma once
#include "options/settings.h"

#include <ostream>

// Readable failure messages for the settings types: every field by name.
void PrintTo(const shortcut_key& pair, std::ostream* out);
void PrintTo(const window_rectangle& rect, std::ostream* out);
void PrintTo(const settings& record, std::ostream* out);
