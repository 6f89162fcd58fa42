#pragma once
#include "options/settings_ranges.h"
#include "options/shortcut_key.h"

#include <cstdint>
#include <string>
#include <vector>

// A colour value meaning "automatic": each window substitutes its own system
// or fixed colour. Other colour values are red + 256 * green + 65536 * blue.
constexpr std::int32_t AUTO_COLOR = -1;

// "ＭＳ ゴシック" in code page 932. Defined in a source file so that every
// user gets the program's bytes, whatever character set it is compiled with.
extern const char* const DEFAULT_FONT_NAME;

// The main window's rectangle in screen coordinates.
struct window_rectangle {
    std::int32_t left = 50;
    std::int32_t top = 50;
    std::int32_t right = 350;
    std::int32_t bottom = 200;

    bool operator==(const window_rectangle&) const = default;
};

// Every persistent option of the calculator. A default-constructed record
// holds the values used for keys missing from the settings file. Texts are
// code page 932 bytes. Values are kept as read; the bounded ones are brought
// into their ranges (settings_ranges.h) before the program works with them.
struct settings {
    std::int32_t main_frame_color = AUTO_COLOR;
    std::int32_t main_back_color = AUTO_COLOR;
    std::int32_t main_frame_style = frame_style_range.fallback; // 0 flat, 1 raised, 2 sunken
    std::string main_icon_file;        // empty: the program's own icon
    std::string exp_font_name = DEFAULT_FONT_NAME;
    std::int32_t exp_font_size = font_size_range.fallback; // points
    std::int32_t exp_font_color = AUTO_COLOR;
    std::int32_t exp_back_color = AUTO_COLOR;
    std::int32_t exp_frame_color = AUTO_COLOR;
    std::int32_t exp_frame_style = frame_style_range.fallback;
    std::string ans_font_name = DEFAULT_FONT_NAME;
    std::int32_t ans_font_size = font_size_range.fallback;
    std::int32_t ans_font_color = AUTO_COLOR;
    std::int32_t ans_back_color = AUTO_COLOR;
    std::int32_t ans_frame_color = AUTO_COLOR;
    std::int32_t ans_error_color = AUTO_COLOR;
    std::int32_t ans_nc_color = AUTO_COLOR; // result of an incomplete expression
    std::int32_t ans_frame_style = frame_style_range.fallback;
    std::vector<shortcut_key> shortcut_keys;
    std::vector<std::string> user_function_texts; // "name(args)=definition//description"
    window_rectangle window_rect;
    std::int32_t answer_mode = cal::answer_form_range.fallback; // 0 real, 1 angle/time, 2 binary, 3 octal, 4 hexadecimal
    std::int32_t angle_mode = cal::angle_unit_range.fallback;   // 0 degree, 1 radian, 2 grad
    std::int32_t precision = cal::precision_range.fallback;    // digits after the decimal point
    std::int32_t exp_translate = cal::exponent_range.fallback; // exponent notation threshold
    bool esc_hide = false;
    bool begin_show = true;
    bool ans_precision = true;
    bool show_nc_ans = false;
    bool replace_ans = true;
    bool show_parens = true;
    bool disable_resize = false;
    bool show_top = false;
    std::int32_t hotkey = 0x420;    // virtual key | modifier flags << 8; Alt+Space
    std::int32_t show_position = show_position_range.fallback; // 0 at the caret, 1 top right of the active window, 2 where it was
    bool send_ans = true;
    bool send_exp = false;
    std::int32_t after_send = cal::after_send_range.fallback; // 0 hide, 1 activate the editor, 2 nothing
    bool show_tray = true;
    bool comma = false;

    bool operator==(const settings&) const = default;
};
