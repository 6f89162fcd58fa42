#pragma once

// The loaders' conversion of UTF-8 text (from a file saved as UTF-8 or
// UTF-16) to the program's code page 932, through the system's converter.
// A character without a Shift-JIS form becomes "?", and is noted so that
// the user can be told which file held it.
void install_shift_jis_conversion();

// Whether a conversion since the last call met such a character.
bool take_lost_characters();
