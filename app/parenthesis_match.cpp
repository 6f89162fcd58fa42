#include "app/parenthesis_match.h"

namespace {

template <typename Char>
int find_partner(std::basic_string_view<Char> text, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= text.size())
        return -1;
    const Char at = text[static_cast<std::size_t>(index)];
    int step = 0;
    if (at == Char('('))
        step = 1;
    else if (at == Char(')'))
        step = -1;
    else
        return -1;

    int depth = 0;
    const int size = static_cast<int>(text.size());
    for (int i = index; i >= 0 && i < size; i += step) {
        const Char c = text[static_cast<std::size_t>(i)];
        if (c == Char('('))
            ++depth;
        else if (c == Char(')'))
            --depth;
        if (depth == 0)
            return i;
    }
    return -1;
}

} // namespace

int find_match(std::string_view text, int index) { return find_partner(text, index); }
int find_match(std::wstring_view text, int index) { return find_partner(text, index); }
