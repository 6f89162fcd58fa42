#include "cli/prompt_reader.h"

#include <cstdio>
#include <cstdlib>

#ifdef TARVIK_LINE_EDITING
#include <clocale>
#include <editline/readline.h>
#endif

namespace cli {

namespace {

constexpr const char* prompt = "> ";

} // namespace

prompt_reader::prompt_reader() : plain_(stdin) {
#ifdef TARVIK_LINE_EDITING
    // editline counts the terminal's multi-byte characters by the locale's
    // character type; nothing else here depends on the locale.
    std::setlocale(LC_CTYPE, "");
#endif
}

#ifdef TARVIK_LINE_EDITING

bool prompt_reader::next(std::string& line) {
    char* read = readline(prompt);
    if (!read)
        return false;
    line = read;
    std::free(read);
    if (!line.empty())
        add_history(line.c_str());
    return true;
}

#else

bool prompt_reader::next(std::string& line) {
    std::fputs(prompt, stdout);
    std::fflush(stdout);
    return plain_.next(line);
}

#endif

} // namespace cli
