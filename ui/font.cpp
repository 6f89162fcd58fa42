#include "ui/font.h"

#include <cstdlib>
#include <cstring>

font::~font() { release(); }

void font::release() {
    if (handle_)
        DeleteObject(handle_);
    handle_ = nullptr;
}

bool font::create_point_font(const char* face_name, int points, HDC dc, bool underline) {
    LOGFONTA logical{};
    if (face_name)
        strncpy(logical.lfFaceName, face_name, LF_FACESIZE - 1);
    logical.lfUnderline = underline ? TRUE : FALSE;
    logical.lfCharSet = DEFAULT_CHARSET;

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
