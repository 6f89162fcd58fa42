#include "options/font_choices.h"

#include <algorithm>

#include "ui/colour.h"

bool face_name_list::add(std::string_view face) {
    if (face.empty() || face.front() == '@')
        return false;
    return names_.emplace(face).second;
}

void point_size_list::add_scalable_sizes() {
    sizes_ = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

void point_size_list::add_raster_size(int cell_height, int internal_leading, int pixels_per_inch) {
    // A screen that reports no resolution is taken for the usual 96 pixels.
    if (pixels_per_inch <= 0)
        pixels_per_inch = 96;
    const int points = (cell_height - internal_leading) * 72 / pixels_per_inch;
    auto place = std::lower_bound(sizes_.begin(), sizes_.end(), points);
    if (place == sizes_.end() || *place != points)
        sizes_.insert(place, points);
}

int size_selection(const std::vector<int>& sizes, int stored_size) {
    if (sizes.empty())
        return -1;
    auto found = std::find_if(sizes.begin(), sizes.end(), [&](int size) { return size >= stored_size; });
    if (found == sizes.end())
        return static_cast<int>(sizes.size()) - 1;
    return static_cast<int>(found - sizes.begin());
}

bool automatic_label_is_white(std::uint32_t face_colour) {
    return red_of(face_colour) + green_of(face_colour) + blue_of(face_colour) <= 384;
}
