#include "options/format_styles.h"

bool has_colour(int window, int slot) {
    switch (slot) {
    case background_slot:
    case frame_slot: return window >= main_window_style && window <= answer_style;
    case text_slot: return has_font(window);
    case preview_slot:
    case error_slot: return window == answer_style;
    default: return false;
    }
}

void format_styles::read(const settings& source) {
    window_style& main = styles_[main_window_style];
    main.colours[background_slot] = source.main_back_color;
    main.colours[frame_slot] = source.main_frame_color;
    main.frame_style = source.main_frame_style;

    window_style& editor = styles_[editor_style];
    editor.font_name = source.exp_font_name;
    editor.font_size = source.exp_font_size;
    editor.colours[text_slot] = source.exp_font_color;
    editor.colours[background_slot] = source.exp_back_color;
    editor.colours[frame_slot] = source.exp_frame_color;
    editor.frame_style = source.exp_frame_style;

    window_style& answer = styles_[answer_style];
    answer.font_name = source.ans_font_name;
    answer.font_size = source.ans_font_size;
    answer.colours[text_slot] = source.ans_font_color;
    answer.colours[background_slot] = source.ans_back_color;
    answer.colours[frame_slot] = source.ans_frame_color;
    answer.colours[error_slot] = source.ans_error_color;
    answer.colours[preview_slot] = source.ans_nc_color;
    answer.frame_style = source.ans_frame_style;
}

void format_styles::write(settings& target) const {
    const window_style& main = styles_[main_window_style];
    target.main_frame_color = main.colours[frame_slot];
    target.main_back_color = main.colours[background_slot];
    target.main_frame_style = main.frame_style;

    const window_style& editor = styles_[editor_style];
    target.exp_font_name = editor.font_name;
    target.exp_font_size = editor.font_size;
    target.exp_font_color = editor.colours[text_slot];
    target.exp_back_color = editor.colours[background_slot];
    target.exp_frame_color = editor.colours[frame_slot];
    target.exp_frame_style = editor.frame_style;

    const window_style& answer = styles_[answer_style];
    target.ans_font_name = answer.font_name;
    target.ans_font_size = answer.font_size;
    target.ans_font_color = answer.colours[text_slot];
    target.ans_back_color = answer.colours[background_slot];
    target.ans_frame_color = answer.colours[frame_slot];
    target.ans_error_color = answer.colours[error_slot];
    target.ans_nc_color = answer.colours[preview_slot];
    target.ans_frame_style = answer.frame_style;
}

void format_styles::load_colours(int window, slot_colours& current) const {
    for (int slot = 0; slot < COLOUR_SLOTS; ++slot) {
        if (has_colour(window, slot))
            current[slot] = (*this)[window].colours[slot];
    }
}

void format_styles::store_colours(int window, const slot_colours& current) {
    for (int slot = 0; slot < COLOUR_SLOTS; ++slot) {
        if (has_colour(window, slot))
            (*this)[window].colours[slot] = current[slot];
    }
}
