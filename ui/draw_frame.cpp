#include "ui/draw_frame.h"

namespace {

struct frame_pens {
    HPEN top_left = nullptr;
    HPEN bottom_right = nullptr;

    frame_pens(colour_value top_left_colour, colour_value bottom_right_colour)
        : top_left(CreatePen(PS_SOLID, 1, top_left_colour)),
          bottom_right(CreatePen(PS_SOLID, 1, bottom_right_colour)) {}
    ~frame_pens() {
        if (top_left)
            DeleteObject(top_left);
        if (bottom_right)
            DeleteObject(bottom_right);
    }
    frame_pens(const frame_pens&) = delete;
    frame_pens& operator=(const frame_pens&) = delete;
};

frame_pens pens_for(colour_value shade_base, colour_value frame_colour, int frame_style) {
    if (frame_style == FRAME_FLAT)
        return {frame_colour, frame_colour};
    const frame_shades shades = shades_of(shade_base);
    if (frame_style == FRAME_RAISED)
        return {shades.light, shades.dark};
    return {shades.dark, shades.light};
}

void draw_polyline(HDC dc, HPEN pen, const POINT (&points)[3]) {
    if (!pen)
        return;
    HGDIOBJ previous = SelectObject(dc, pen);
    Polyline(dc, points, 3);
    SelectObject(dc, previous);
}

// The client area in window coordinates.
RECT client_in_window(HWND target, const RECT& window_rect) {
    RECT client{};
    GetClientRect(target, &client);
    POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
    ClientToScreen(target, &corners[0]);
    ClientToScreen(target, &corners[1]);
    return {corners[0].x - window_rect.left, corners[0].y - window_rect.top, corners[1].x - window_rect.left,
            corners[1].y - window_rect.top};
}

} // namespace

void draw_frame(HWND target, colour_value fill, colour_value shade_base, colour_value frame_colour,
                int frame_style) {
    HDC dc = GetWindowDC(target);
    if (!dc)
        return;
    RECT window_rect{};
    GetWindowRect(target, &window_rect);
    const int width = window_rect.right - window_rect.left;
    const int height = window_rect.bottom - window_rect.top;

    // A polyline leaves out its last point: the bottom row runs to x = 0.
    const POINT top_left[3] = {{0, height - 1}, {0, 0}, {width - 1, 0}};
    const POINT bottom_right[3] = {{width - 1, 0}, {width - 1, height - 1}, {-1, height - 1}};
    {
        const frame_pens pens = pens_for(shade_base, frame_colour, frame_style);
        draw_polyline(dc, pens.top_left, top_left);
        draw_polyline(dc, pens.bottom_right, bottom_right);
    }

    // Everything inside the frame but outside the client area takes the fill.
    const RECT client = client_in_window(target, window_rect);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    const RECT inside = {1, 1, width - 1, height - 1};
    SetBkColor(dc, fill);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &inside, nullptr, 0, nullptr);
    SelectClipRgn(dc, nullptr);

    ReleaseDC(target, dc);
}
