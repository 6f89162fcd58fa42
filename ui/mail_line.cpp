#include "ui/mail_line.h"

#include "resources/resource.h"
#include "ui/program_resources.h"

namespace {

constexpr COLORREF link_colour = RGB(0, 0, 255);
constexpr COLORREF text_colour = RGB(0, 0, 0);
// The longest text drawn; the line shows a short address.
constexpr int text_capacity = 50;

HFONT underlined_copy(HFONT font) {
    LOGFONTA description{};
    HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    if (!GetObjectA(source, sizeof description, &description))
        return nullptr;
    description.lfUnderline = TRUE;
    return CreateFontIndirectA(&description);
}

} // namespace

mail_line::~mail_line() { release_font(); }

void mail_line::release_font() {
    if (underlined_font_)
        DeleteObject(underlined_font_);
    underlined_font_ = nullptr;
}

bool mail_line::attach_control(HWND control, const std::string& address, link_opener opener) {
    if (!control)
        return false;
    address_ = address;
    open_link_ = std::move(opener);
    font_ = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    release_font();
    underlined_font_ = underlined_copy(font_);
    hovering_ = false;
    return subclass_control(control);
}

// The dialog's font is made anew when the dialog moves to a monitor of
// another DPI; the underlined copy follows it.
void mail_line::follow_font() {
    const auto current = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
    if (current == font_)
        return;
    font_ = current;
    release_font();
    underlined_font_ = underlined_copy(font_);
}

void mail_line::on_paint() {
    follow_font();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle(), &paint);
    char text[text_capacity] = {};
    GetWindowTextA(handle(), text, text_capacity);
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hovering_ ? link_colour : text_colour);
    HFONT font = hovering_ && underlined_font_ ? underlined_font_ : font_;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    DrawTextA(dc, text, -1, &client, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (previous)
        SelectObject(dc, previous);
    EndPaint(handle(), &paint);
}

bool mail_line::on_set_cursor(HWND, UINT, UINT) {
    SetCursor(LoadCursorA(program_instance(), MAKEINTRESOURCEA(IDC_LINK_HAND)));
    return false;
}

void mail_line::on_mouse_move(UINT key_flags, int x, int y) {
    if (!hovering_) {
        hovering_ = true;
        SetTimer(handle(), hover_timer, hover_check_ms, nullptr);
        redraw();
    }
    window::on_mouse_move(key_flags, x, y);
}

void mail_line::on_timer(UINT_PTR id, TIMERPROC callback) {
    if (id == hover_timer) {
        KillTimer(handle(), hover_timer);
        if (cursor_is_inside()) {
            SetTimer(handle(), hover_timer, hover_check_ms, nullptr);
        } else {
            hovering_ = false;
            redraw();
        }
    }
    window::on_timer(id, callback);
}

void mail_line::on_l_button_down(UINT, int, int) {
    // Whether a mail program opens is the shell's business.
    if (open_link_)
        open_link_(handle(), "mailto:" + address_);
}

bool mail_line::cursor_is_inside() const {
    POINT cursor;
    RECT area;
    return GetCursorPos(&cursor) && GetWindowRect(handle(), &area) && PtInRect(&area, cursor);
}

void mail_line::redraw() { InvalidateRect(handle(), nullptr, FALSE); }
