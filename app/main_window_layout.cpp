// The main window's geometry and painting: the controls beside the grip, the
// height that fits their fonts, the drag and size areas, the frame, the grip
// lines and the icon.
#include "app/main_window.h"

#include "app/window_layout.h"
#include "ui/dpi_scale.h"
#include "ui/draw_frame.h"
#include "ui/monitor_dpi.h"
#include "ui/step_trace.h"

namespace {

} // namespace

int main_window::frame_width() const { return system_metric_for_dpi(SM_CXFRAME, dpi_); }

void main_window::fit_height() {
    RECT editor_rect{};
    RECT window_rect{};
    GetWindowRect(editor_.handle(), &editor_rect);
    GetWindowRect(handle(), &window_rect);
    const int height = fitted_window_height(frame_width(), editor_rect.bottom - editor_rect.top,
                                            editor_.preferred_height(), answer_.preferred_height(),
                                            scale());
    SetWindowPos(handle(), nullptr, 0, 0, window_rect.right - window_rect.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void main_window::on_size(UINT, UINT width, UINT height) {
    if (!editor_.handle() || !answer_.handle())
        return;
    const main_layout layout = layout_children(static_cast<int>(width), static_cast<int>(height),
                                               answer_.preferred_height(), scale());
    HDWP batch = BeginDeferWindowPos(2);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch)
        batch = DeferWindowPos(batch, editor_.handle(), nullptr, layout.editor.x, layout.editor.y,
                               layout.editor.width, layout.editor.height, flags);
    if (batch)
        batch = DeferWindowPos(batch, answer_.handle(), nullptr, layout.answer.x, layout.answer.y,
                               layout.answer.width, layout.answer.height, flags);
    if (batch)
        EndDeferWindowPos(batch);
}

void main_window::on_get_min_max_info(MINMAXINFO* info) {
    if (!editor_.handle() || !answer_.handle()) {
        window::on_get_min_max_info(info);
        return;
    }
    const window_size minimum = minimum_tracking_size(frame_width(), editor_.preferred_height(),
                                                      answer_.preferred_height(), scale());
    info->ptMinTrackSize.x = minimum.width;
    info->ptMinTrackSize.y = minimum.height;
}

int main_window::on_nc_hit_test(int x, int y) {
    const int code = window::on_nc_hit_test(x, y);
    POINT point{x, y};
    ScreenToClient(handle(), &point);
    return main_hit_test(code, point.x, point.y, settings_.disable_resize, scale());
}

void main_window::on_nc_paint(HRGN) {
    draw_frame(handle(), back_colour_, back_colour_, frame_colour_, frame_style_);
}

void main_window::on_paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    RECT client{};
    GetClientRect(handle(), &client);

    HBRUSH background = CreateSolidBrush(back_colour_);
    FillRect(dc, &client, background);
    DeleteObject(background);

    const dpi_scale at_dpi = scale();
    const grip_lines grip = grip_for(frame_style_, back_colour_, frame_colour_, at_dpi);
    for (int i = 0; i < grip.count; ++i) {
        const grip_line& line = grip.lines[i];
        const RECT stroke{line.x, client.top + at_dpi(GRIP_TOP_OFFSET), line.x + line.width,
                          client.bottom - at_dpi(GRIP_BOTTOM_OFFSET)};
        HBRUSH brush = CreateSolidBrush(line.colour);
        FillRect(dc, &stroke, brush);
        DeleteObject(brush);
    }

    if (icon_.handle())
        DrawIconEx(dc, 0, 0, icon_.handle(), at_dpi(ICON_SIZE), at_dpi(ICON_SIZE), 0, nullptr, DI_NORMAL);
    EndPaint(handle(), &paint);
    trace_step("painted");
}

HBRUSH main_window::on_ctl_color_edit(HDC dc, HWND control) {
    if (control && control == editor_.handle())
        return editor_.ctl_colour(dc);
    return window::on_ctl_color_edit(dc, control);
}

HBRUSH main_window::on_ctl_color_static(HDC dc, HWND control) {
    if (control && control == answer_.handle())
        return answer_.ctl_colour(dc);
    return window::on_ctl_color_static(dc, control);
}
