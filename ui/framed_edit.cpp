#include "ui/framed_edit.h"

#include <oleacc.h>

#include "ui/application.h"
#include "ui/dpi_scale.h"
#include "ui/draw_frame.h"

namespace {

constexpr colour_value PURE_RED = rgb(255, 0, 0);
constexpr colour_value PURE_BLUE = rgb(0, 0, 255);

// Text-metric height plus the one-pixel frame, the client edge and a pixel of
// air above and below the text, at 96 DPI.
constexpr int FRAME_ALLOWANCE = 6;

colour_value system_colour(int index) { return GetSysColor(index); }

colour_value resolve(colour_value colour, colour_value automatic) {
    return colour == framed_edit::AUTOMATIC ? automatic : colour;
}

} // namespace

framed_edit::framed_edit(const look& initial)
    : font_face_(initial.font_face ? initial.font_face : ""), font_size_(initial.font_size),
      background_(initial.background), text_colour_(initial.text), frame_colour_(initial.frame),
      frame_style_(initial.frame_style), dpi_(system_dpi_scale().dpi) {
    replace_brush();
    font_.create_point_font_at_dpi(font_face_.c_str(), font_size_, dpi_);
}

framed_edit::~framed_edit() {
    if (background_brush_)
        DeleteObject(background_brush_);
}

bool framed_edit::create_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                                 int height, HWND parent, HMENU menu_or_id) {
    if (!create_edit_control(ex_style | WS_EX_CLIENTEDGE, title, style, x, y, width, height, parent,
                             menu_or_id))
        return false;
    SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    return true;
}

HBRUSH framed_edit::ctl_colour(HDC dc) {
    SetBkColor(dc, background_);
    SetTextColor(dc, text_colour_);
    return background_brush_;
}

void framed_edit::set_background(colour_value colour) {
    const bool read_only = handle() && (GetWindowLongA(handle(), GWL_STYLE) & ES_READONLY) != 0;
    background_ = resolve(colour, system_colour(read_only ? COLOR_BTNFACE : COLOR_WINDOW));
    replace_brush();
}

void framed_edit::set_text_colour(colour_value colour) {
    text_colour_ = resolve(colour, system_colour(COLOR_BTNTEXT));
}

void framed_edit::set_error_colour(colour_value colour) { set_text_colour(resolve(colour, PURE_RED)); }

void framed_edit::set_preview_colour(colour_value colour) { set_text_colour(resolve(colour, PURE_BLUE)); }

void framed_edit::set_frame_colour(colour_value colour) {
    frame_colour_ = resolve(colour, system_colour(COLOR_BTNSHADOW));
}

void framed_edit::set_frame_style(int style) { frame_style_ = style; }

void framed_edit::set_font(const char* face_name, int size) {
    font_face_ = face_name ? face_name : "";
    font_size_ = size;
    // The control must let go of the old font before it is deleted.
    if (handle())
        SendMessageA(handle(), WM_SETFONT, 0, FALSE);
    font_.create_point_font_at_dpi(font_face_.c_str(), font_size_, dpi_);
    if (handle() && font_.handle())
        SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
}

// The same DPI keeps the font: the start asks before the settings set it.
void framed_edit::set_dpi(int dpi) {
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    const std::string face = font_face_;
    set_font(face.c_str(), font_size_);
}

int framed_edit::preferred_height() const {
    HDC dc = GetDC(handle());
    if (!dc)
        return dpi_scale{dpi_}(FRAME_ALLOWANCE);
    HGDIOBJ shown_font = font_.handle() ? static_cast<HGDIOBJ>(font_.handle()) : GetStockObject(SYSTEM_FONT);
    HGDIOBJ previous = SelectObject(dc, shown_font);
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(dc, &metrics) != FALSE;
    SelectObject(dc, previous);
    ReleaseDC(handle(), dc);
    return (measured ? static_cast<int>(metrics.tmHeight) : 0) + dpi_scale{dpi_}(FRAME_ALLOWANCE);
}

void framed_edit::on_nc_paint(HRGN) {
    draw_frame(handle(), background_, parent_shade_base(), frame_colour_, frame_style_);
}

void framed_edit::set_accessible_name(const std::string& name, bool live_region) {
    accessible_name_ = name;
    accessibility_.set_live_region(live_region);
}

std::wstring framed_edit::accessible_name(long) const { return accessible_text(accessible_name_); }

long framed_edit::accessible_role(long) const { return ROLE_SYSTEM_TEXT; }

std::wstring framed_edit::accessible_value(long) const {
    std::string text;
    get_window_text(text);
    return accessible_text(text);
}

RECT framed_edit::accessible_location(long) const {
    RECT r{};
    GetWindowRect(handle(), &r);
    return r;
}

LRESULT framed_edit::on_get_object(DWORD flags, LONG object_id) {
    if (const LRESULT own = accessibility_.answer(handle(), flags, object_id))
        return own;
    return window::on_get_object(flags, object_id);
}

void framed_edit::replace_brush() {
    HBRUSH replacement = CreateSolidBrush(background_);
    if (background_brush_)
        DeleteObject(background_brush_);
    background_brush_ = replacement;
}

// The parent's current background, when the parent says what it is;
// otherwise the button face that a dialog-like parent shows.
colour_value framed_edit::parent_shade_base() const {
    if (application* app = application::current()) {
        window* parent = app->registry().find(GetParent(handle()));
        if (auto* source = dynamic_cast<const frame_shade_source*>(parent))
            return source->frame_shade_base();
    }
    return system_colour(COLOR_BTNFACE);
}
