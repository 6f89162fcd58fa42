#include "app/window_layout.h"

#include <algorithm>

namespace {

constexpr int MARGIN = 1;
constexpr int FIELD_GAP = 3;

int non_negative(int value) { return std::max(value, 0); }

} // namespace

main_layout layout_children(int client_width, int client_height, int answer_height) {
    const int width = non_negative(client_width - GRIP_WIDTH - MARGIN);
    const int answer_top = client_height - answer_height - MARGIN;
    main_layout layout;
    layout.editor = {GRIP_WIDTH, MARGIN, width,
                     non_negative(client_height - answer_height - MARGIN - FIELD_GAP - MARGIN)};
    layout.answer = {GRIP_WIDTH, answer_top, width, non_negative(answer_height)};
    return layout;
}

window_size minimum_tracking_size(int frame, int editor_preferred, int answer_preferred) {
    return {2 * frame + 14, answer_preferred + editor_preferred + 2 * frame + FIELD_GAP};
}

int fitted_window_height(int frame, int editor_height, int editor_preferred, int answer_preferred) {
    return std::max(editor_height, editor_preferred) + answer_preferred + 2 * frame + FIELD_GAP;
}

bool in_icon_cell(int client_x, int client_y) { return client_x < ICON_SIZE && client_y < ICON_SIZE; }

int main_hit_test(int default_code, int client_x, int client_y, bool disable_resize) {
    if (in_icon_cell(client_x, client_y))
        return default_code;
    if (default_code == HIT_CLIENT || disable_resize)
        return HIT_CAPTION;
    return default_code;
}

grip_lines grip_for(int frame_style, colour_value back_colour, colour_value frame_colour) {
    grip_lines grip;
    if (frame_style != 1 && frame_style != 2) {
        grip.lines[0] = {3, frame_colour};
        grip.lines[1] = {9, frame_colour};
        grip.count = 2;
        return grip;
    }
    const frame_shades shades = shades_of(back_colour);
    const colour_value outer = frame_style == 1 ? shades.light : shades.dark;
    const colour_value inner = frame_style == 1 ? shades.dark : shades.light;
    grip.lines[0] = {3, outer};
    grip.lines[1] = {9, outer};
    grip.lines[2] = {4, inner};
    grip.lines[3] = {10, inner};
    grip.count = 4;
    return grip;
}
