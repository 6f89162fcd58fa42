#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Stored user function texts the engine cannot read (a hand-edited settings
// file). They are not used and not listed, but kept in the file as they are,
// and the user is told once, at start, which they are.

// Their indexes in the list, in order. Empty texts (a "Size" beyond the keys
// present) hold nothing to keep and are left out.
std::vector<std::size_t> unreadable_function_indexes(const std::vector<std::string>& texts);

// The report's lines: "f<index>=<text>", a long text cut (never inside a
// double-byte character) and a long list ended with "...". Empty when all
// texts read.
std::string unreadable_functions_report(const std::vector<std::string>& texts);
