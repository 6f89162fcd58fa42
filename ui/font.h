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

    HFONT handle() const { return handle_; }

private:
    void release();

    HFONT handle_ = nullptr;
};
