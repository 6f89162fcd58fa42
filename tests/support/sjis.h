#pragma once
#include <string>
#include <string_view>

// Test programs are compiled with UTF-8 narrow literals (GoogleTest's headers
// do not survive a Shift-JIS execution character set); expected texts are
// written in UTF-8 and converted here to the program's code page 932 bytes.
std::string sjis(std::string_view utf8);

// The reverse, for readable failure messages and for reading program output.
std::string utf8_from_sjis(std::string_view cp932);
