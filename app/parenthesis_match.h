#pragma once
#include <string_view>

// Position of the partner of the parenthesis at index in text, or -1 when the
// character there is not "(" or ")" (an index outside the text included) or
// the parenthesis has none. "(" is matched forward, ")" backward, counting
// only the two parenthesis characters. Works on code page 932 bytes as well
// as on wide text: neither parenthesis can be the second byte of a double-byte
// character.
int find_match(std::string_view text, int index);
int find_match(std::wstring_view text, int index);
