#pragma once
#include <cstdint>

// Colour values as the rest of the program stores them: 32 bits, red in the
// low byte, then green, then blue (the layout of a Windows COLORREF), so they
// pass to GDI unchanged without this header needing windows.h.
using colour_value = std::uint32_t;

constexpr colour_value rgb(int red, int green, int blue) {
    return static_cast<colour_value>(red & 0xFF) | (static_cast<colour_value>(green & 0xFF) << 8) |
           (static_cast<colour_value>(blue & 0xFF) << 16);
}
constexpr int red_of(colour_value c) { return static_cast<int>(c & 0xFF); }
constexpr int green_of(colour_value c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue_of(colour_value c) { return static_cast<int>((c >> 16) & 0xFF); }

// Hue, lightness and saturation, each in 0..255. A grey has saturation 0 and
// the conventional undefined hue 170.
struct hls_colour {
    int hue = 0;
    int lightness = 0;
    int saturation = 0;
    friend bool operator==(const hls_colour&, const hls_colour&) = default;
};

// Integer conversions used for the frame and grip shades. Only the low 24
// bits of the colour are read; out-of-range HLS inputs are clamped to 0..255.
hls_colour rgb_to_hls(colour_value colour);
colour_value hls_to_rgb(hls_colour hls);

// How far the light and dark shades of a raised or sunken frame move the
// lightness of their base colour.
inline constexpr int SHADE_STEP = 65;

struct frame_shades {
    colour_value light = 0;
    colour_value dark = 0;
};

// The light (lightness + 65, at most 255) and dark (lightness - 65, at least
// 0) shades of a base colour, keeping its hue and saturation.
frame_shades shades_of(colour_value base);
