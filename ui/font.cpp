#include "ui/font.h"

#include <cstdlib>
#include <cstring>

font::~font() { release(); }

void font::release() {
    if (handle_)
        DeleteObject(handle_);
    handle_ = nullptr;
}

namespace {

LOGFONTA description(const char* face_name, bool underline) {
    LOGFONTA logical{};
    if (face_name)
        strncpy(logical.lfFaceName, face_name, LF_FACESIZE - 1);
    logical.lfUnderline = underline ? TRUE : FALSE;
    logical.lfCharSet = DEFAULT_CHARSET;
    return logical;
}

} // namespace

bool font::create_point_font_at_dpi(const char* face_name, int points, int dpi) {
    LOGFONTA logical = description(face_name, false);
    logical.lfHeight = -std::abs(MulDiv(points, dpi, 72));
    release();
    handle_ = CreateFontIndirectA(&logical);
    return handle_ != nullptr;
}

bool font::create_point_font(const char* face_name, int points, HDC dc, bool underline) {
    LOGFONTA logical = description(face_name, underline);

    HDC screen = dc ? nullptr : GetDC(nullptr);
    HDC target = dc ? dc : screen;
    // Points to device units, then to logical units of the context's mapping.
    POINT distance[2] = {{0, MulDiv(points, GetDeviceCaps(target, LOGPIXELSY), 72)}, {0, 0}};
    DPtoLP(target, distance, 2);
    logical.lfHeight = -std::abs(distance[0].y - distance[1].y);
    if (screen)
        ReleaseDC(nullptr, screen);

    release();
    handle_ = CreateFontIndirectA(&logical);
    return handle_ != nullptr;
}
