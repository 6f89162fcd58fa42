#include "app/window_layout.h"

#include <algorithm>

namespace {

constexpr int MARGIN = 1;
constexpr int FIELD_GAP = 3;

int non_negative(int value) { return std::max(value, 0); }

} // namespace

main_layout layout_children(int client_width, int client_height, int answer_height, dpi_scale scale) {
    const int grip = scale(GRIP_WIDTH);
    const int margin = scale(MARGIN);
    const int width = non_negative(client_width - grip - margin);
    const int answer_top = client_height - answer_height - margin;
    main_layout layout;
    layout.editor = {grip, margin, width,
                     non_negative(client_height - answer_height - margin - scale(FIELD_GAP) - margin)};
    layout.answer = {grip, answer_top, width, non_negative(answer_height)};
    return layout;
}

window_rectangle opening_rectangle(const window_rectangle& saved, dpi_scale scale) {
    if (saved != window_rectangle{})
        return saved;
    window_rectangle scaled = saved;
    scaled.right = saved.left + scale(saved.right - saved.left);
    scaled.bottom = saved.top + scale(saved.bottom - saved.top);
    return scaled;
}

window_size minimum_tracking_size(int frame, int editor_preferred, int answer_preferred, dpi_scale scale) {
    return {2 * frame + scale(14), answer_preferred + editor_preferred + 2 * frame + scale(FIELD_GAP)};
}

int fitted_window_height(int frame, int editor_height, int editor_preferred, int answer_preferred,
                         dpi_scale scale) {
    return std::max(editor_height, editor_preferred) + answer_preferred + 2 * frame + scale(FIELD_GAP);
}

bool in_icon_cell(int client_x, int client_y, dpi_scale scale) {
    return client_x < scale(ICON_SIZE) && client_y < scale(ICON_SIZE);
}

int main_hit_test(int default_code, int client_x, int client_y, bool disable_resize, dpi_scale scale) {
    if (in_icon_cell(client_x, client_y, scale))
        return default_code;
    if (default_code == HIT_CLIENT || disable_resize)
        return HIT_CAPTION;
    return default_code;
}

grip_lines grip_for(int frame_style, colour_value back_colour, colour_value frame_colour, dpi_scale scale) {
    // The two lines (or pairs of lines) at x 3 and 9 at 96 DPI; the second
    // line of a pair lies right against the first at every scale.
    const int width = scale(1);
    const int first = scale(3);
    const int second = scale(9);
    grip_lines grip;
    if (frame_style != 1 && frame_style != 2) {
        grip.lines[0] = {first, frame_colour, width};
        grip.lines[1] = {second, frame_colour, width};
        grip.count = 2;
        return grip;
    }
    const frame_shades shades = shades_of(back_colour);
    const colour_value outer = frame_style == 1 ? shades.light : shades.dark;
    const colour_value inner = frame_style == 1 ? shades.dark : shades.light;
    grip.lines[0] = {first, outer, width};
    grip.lines[1] = {second, outer, width};
    grip.lines[2] = {first + width, inner, width};
    grip.lines[3] = {second + width, inner, width};
    grip.count = 4;
    return grip;
}
