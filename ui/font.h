#pragma once
#include <windows.h>

// Owns one font handle; the font is deleted with the holder or when another
// one replaces it. Fonts borrowed from other windows are never put in here.
class font {
public:
    font() = default;
    ~font();
    font(const font&) = delete;
    font& operator=(const font&) = delete;

    // A font of the face at the size in points, for the device context given
    // or the screen. The height is a character height (negative), the
    // character set the default one. True when the font could be created; the
    // previous font is gone either way.
    bool create_point_font(const char* face_name, int points, HDC dc = nullptr, bool underline = false);
    // The same at a DPI of the window's monitor rather than the screen's
    // device context, which a per-monitor-aware program reads at the DPI the
    // session started with.
    bool create_point_font_at_dpi(const char* face_name, int points, int dpi);

    HFONT handle() const { return handle_; }

private:
    void release();

    HFONT handle_ = nullptr;
};
