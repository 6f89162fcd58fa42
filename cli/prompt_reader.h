#pragma once
#include <string>

#include "cli/line_reader.h"

namespace cli {

// The interactive prompt's lines, read after a "> " prompt. Where the system's
// line-editing library is built in (BSD editline, native builds), the line
// can be edited and Up and Down recall earlier ones; elsewhere (the Windows
// console edits lines itself) standard input is read as it comes.
class prompt_reader {
public:
    prompt_reader();

    // false at the end of the input (Ctrl+D; Ctrl+Z Enter on Windows).
    bool next(std::string& line);

private:
    line_reader plain_;
};

} // namespace cli
