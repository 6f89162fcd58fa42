#include "test_printers.h"

#include "support/sjis.h"

namespace {

// Long texts are shown by their length and start only.
std::string shown(const std::string& text) {
    std::string start = text.substr(0, 40);
    std::string readable;
    try {
        readable = utf8_from_sjis(start);
    } catch (...) {
        readable = "<bytes>";
    }
    return "\"" + readable + (text.size() > 40 ? "...\" (" + std::to_string(text.size()) + " bytes)" : "\"");
}

} // namespace

void PrintTo(const shortcut_key& pair, std::ostream* out) {
    *out << "{" << pair.code << ", " << pair.key << "}";
}

void PrintTo(const window_rectangle& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

void PrintTo(const settings& s, std::ostream* out) {
    std::ostream& o = *out;
    o << "\n  main frame " << s.main_frame_color << "/" << s.main_frame_style << " back " << s.main_back_color
      << " icon " << shown(s.main_icon_file);
    o << "\n  exp font " << shown(s.exp_font_name) << " " << s.exp_font_size << " colour " << s.exp_font_color
      << " back " << s.exp_back_color << " frame " << s.exp_frame_color << "/" << s.exp_frame_style;
    o << "\n  ans font " << shown(s.ans_font_name) << " " << s.ans_font_size << " colour " << s.ans_font_color
      << " back " << s.ans_back_color << " frame " << s.ans_frame_color << "/" << s.ans_frame_style
      << " error " << s.ans_error_color << " nc " << s.ans_nc_color;
    o << "\n  keys";
    for (const shortcut_key& pair : s.shortcut_keys) {
        o << " ";
        PrintTo(pair, out);
    }
    o << "\n  functions";
    for (const std::string& text : s.user_function_texts)
        o << " " << shown(text);
    o << "\n  rect ";
    PrintTo(s.window_rect, out);
    o << "\n  answer " << s.answer_mode << " angle " << s.angle_mode << " precision " << s.precision
      << " exp " << s.exp_translate << " hotkey " << s.hotkey << " position " << s.show_position
      << " after send " << s.after_send;
    o << "\n  esc_hide " << s.esc_hide << " begin_show " << s.begin_show << " ans_precision "
      << s.ans_precision << " show_nc_ans " << s.show_nc_ans << " replace_ans " << s.replace_ans
      << " show_parens " << s.show_parens << " disable_resize " << s.disable_resize << " show_top "
      << s.show_top << " send_ans " << s.send_ans << " send_exp " << s.send_exp << " show_tray "
      << s.show_tray << " comma " << s.comma << "\n";
}
