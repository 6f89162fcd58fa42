#pragma once
#include "engine/answer_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

enum class run_mode {
    expressions, // EXPR... on the command line
    lines,       // standard input, human-readable (a prompt when it is a terminal)
    batch,       // --batch: the machine protocol
    help,        // --help
};

struct cli_options {
    run_mode mode = run_mode::lines;
    cal::angle_unit angle_mode = cal::angle_unit::degree; // --angle degree|radian|grad
    cal::answer_options answer;           // --answer, --precision, --exp, --comma, --no-ans-precision
    bool raw = false;                     // --raw
    std::vector<std::string> functions;   // --function TEXT, in order
    std::vector<std::string> expressions; // the remaining arguments
};

// Parses argv. Returns false and sets error (English, one line) on a usage
// error. Before "--" an argument starting with "--" is an option wherever it
// stands, and any other one an expression (so "-5+3" is one); after "--"
// every argument is an expression. An unknown "--..." is a usage error.
bool parse_arguments(int argc, char** argv, cli_options& options, std::string& error);

// The text of --help.
std::string help_text();

} // namespace cli
