#include "ui/colour.h"

#include <algorithm>

namespace {

constexpr int HLS_MAX = 255;
constexpr int UNDEFINED_HUE = HLS_MAX * 2 / 3; // 170: the hue of every grey

// Distance of one component from the largest, scaled to a sixth of the hue circle.
int hue_delta(int component, int largest, int smallest) {
    const int range = largest - smallest;
    return ((largest - component) * (HLS_MAX / 6) + range / 2) / range;
}

// One component of the colour from the hue, between the two magic values m1 and m2.
int hue_to_component(int m1, int m2, int hue) {
    if (hue < 0)
        hue += HLS_MAX;
    if (hue > HLS_MAX)
        hue -= HLS_MAX;
    if (hue < HLS_MAX / 6)
        return m1 + ((m2 - m1) * hue + HLS_MAX / 12) / (HLS_MAX / 6);
    if (hue < HLS_MAX / 2)
        return m2;
    if (hue < UNDEFINED_HUE)
        return m1 + ((m2 - m1) * (UNDEFINED_HUE - hue) + HLS_MAX / 12) / (HLS_MAX / 6);
    return m1;
}

int to_byte(int component) { return std::clamp((component * 255 + HLS_MAX / 2) / HLS_MAX, 0, 255); }

} // namespace

hls_colour rgb_to_hls(colour_value colour) {
    const int red = red_of(colour);
    const int green = green_of(colour);
    const int blue = blue_of(colour);
    const int largest = std::max({red, green, blue});
    const int smallest = std::min({red, green, blue});

    hls_colour result;
    result.lightness = ((largest + smallest) * HLS_MAX + 255) / 510;
    if (largest == smallest) {
        result.hue = UNDEFINED_HUE;
        return result;
    }

    // Both divisors are positive here: largest > smallest, and in the light
    // half largest + smallest < 510.
    const int divisor = result.lightness <= HLS_MAX / 2 ? largest + smallest : 510 - largest - smallest;
    result.saturation = ((largest - smallest) * HLS_MAX + divisor / 2) / divisor;

    const int red_delta = hue_delta(red, largest, smallest);
    const int green_delta = hue_delta(green, largest, smallest);
    const int blue_delta = hue_delta(blue, largest, smallest);
    if (red == largest)
        result.hue = blue_delta - green_delta;
    else if (green == largest)
        result.hue = HLS_MAX / 3 + red_delta - blue_delta;
    else
        result.hue = UNDEFINED_HUE + green_delta - red_delta;

    if (result.hue < 0)
        result.hue += HLS_MAX;
    if (result.hue > HLS_MAX)
        result.hue -= HLS_MAX;
    return result;
}

colour_value hls_to_rgb(hls_colour hls) {
    const int hue = std::clamp(hls.hue, 0, HLS_MAX);
    const int lightness = std::clamp(hls.lightness, 0, HLS_MAX);
    const int saturation = std::clamp(hls.saturation, 0, HLS_MAX);

    if (saturation == 0)
        return rgb(lightness, lightness, lightness);

    const int m2 = lightness <= HLS_MAX / 2
                       ? (lightness * (saturation + HLS_MAX) + HLS_MAX / 2) / HLS_MAX
                       : lightness + saturation - (lightness * saturation + HLS_MAX / 2) / HLS_MAX;
    const int m1 = 2 * lightness - m2;
    return rgb(to_byte(hue_to_component(m1, m2, hue + HLS_MAX / 3)), to_byte(hue_to_component(m1, m2, hue)),
               to_byte(hue_to_component(m1, m2, hue - HLS_MAX / 3)));
}

frame_shades shades_of(colour_value base) {
    const hls_colour hls = rgb_to_hls(base);
    hls_colour light = hls;
    hls_colour dark = hls;
    light.lightness = std::min(hls.lightness + SHADE_STEP, HLS_MAX);
    dark.lightness = std::max(hls.lightness - SHADE_STEP, 0);
    return {hls_to_rgb(light), hls_to_rgb(dark)};
}
