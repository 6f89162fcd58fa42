#pragma once
#include <string>
#include <string_view>

// Typed and pasted text as the engine reads it. An input method in full-width
// mode, a Japanese document or a web page give digits and operators as
// full-width or typographic characters; these become the ASCII the engine
// understands:
// - the full-width forms of ASCII (！ to ～) and the ideographic space become
//   their half-width forms;
// - the full-width hyphen-minus － becomes "-": code page 932's 0x817C, which
//   is the minus sign − as well (a converter that does not know so must be
//   given － for −);
// - × becomes "*" and ÷ becomes "/".
// Every other character, single- or double-byte, stays as it is, so that the
// engine still reports what it does not know at its own position.
//
// The text is code page 932: a trail byte is never taken for a character.
std::string half_width_input(std::string_view cp932);
