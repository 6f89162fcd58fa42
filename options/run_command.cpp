#include "options/run_command.h"

namespace {

// Windows file names match without regard to case; the paths compared here
// come from the same folder (the module path and the installer's or this
// program's own value), so folding ASCII letters covers them.
wchar_t folded(wchar_t c) {
    if (c >= L'A' && c <= L'Z')
        return static_cast<wchar_t>(c - L'A' + L'a');
    return c == L'/' ? L'\\' : c;
}

bool same_path(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

// The program part of a command: the quoted text, or everything up to the
// end or a space after the path (an unquoted path may hold spaces itself).
bool names_program(std::wstring_view command, std::wstring_view program_path) {
    if (!command.empty() && command.front() == L'"') {
        const std::size_t closing = command.find(L'"', 1);
        if (closing == std::wstring_view::npos)
            return false;
        return same_path(command.substr(1, closing - 1), program_path);
    }
    if (command.size() < program_path.size())
        return false;
    const bool ends_there = command.size() == program_path.size() || command[program_path.size()] == L' ';
    return ends_there && same_path(command.substr(0, program_path.size()), program_path);
}

std::wstring_view without_leading_blanks(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    return first == std::wstring_view::npos ? std::wstring_view{} : text.substr(first);
}

} // namespace

std::wstring run_command_for(std::wstring_view program_path) {
    return L"\"" + std::wstring(program_path) + L"\"";
}

bool run_command_starts(std::wstring_view command, std::wstring_view program_path) {
    return !program_path.empty() && names_program(without_leading_blanks(command), program_path);
}
