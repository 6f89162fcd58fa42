#include "app/expression_editor_rules.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr unsigned BACKSPACE = 0x08;
constexpr unsigned CTRL_C = 0x03;
constexpr unsigned CTRL_V = 0x16;
constexpr unsigned CTRL_X = 0x18;
constexpr unsigned CTRL_Z = 0x1A;

} // namespace

bool is_typed_character(unsigned character) { return character >= 0x20 && character != 0x7F; }

bool reaches_the_edit_control(unsigned character) {
    switch (character) {
    case BACKSPACE:
    case CTRL_C:
    case CTRL_V:
    case CTRL_X:
    case CTRL_Z: return true;
    default: return is_typed_character(character);
    }
}

std::wstring without_control_characters(const std::wstring& text) {
    std::wstring kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](wchar_t c) { return is_typed_character(static_cast<unsigned>(c)); });
    return kept;
}
