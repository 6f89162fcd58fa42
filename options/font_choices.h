#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The names the format page lists in its font name box. Faces for vertical
// writing (their names begin with "@") are left out, and a name is listed
// once however many character sets report it. A name is compared whole, so a
// face whose name begins another one ("Arial" and "Arial Black") is listed
// besides the longer one.
class face_name_list {
public:
    // False when the face is left out or already listed.
    bool add(std::string_view face);
    const std::set<std::string>& names() const { return names_; }

private:
    std::set<std::string> names_;
};

// The sizes, in points, the format page offers for one face, ascending.
class point_size_list {
public:
    // A TrueType or vector face takes any size: the usual sixteen from 8 to 72
    // replace what the list held.
    void add_scalable_sizes();
    // A raster face comes in fixed sizes: the point size of one reported font
    // (its cell height less the internal leading, at the screen's pixels per
    // inch) joins the list unless it is there already.
    void add_raster_size(int cell_height, int internal_leading, int pixels_per_inch);

    const std::vector<int>& sizes() const { return sizes_; }

private:
    std::vector<int> sizes_;
};

// The entry to select for a stored size: the first at least that size, the
// last when all are smaller, -1 for an empty list.
int size_selection(const std::vector<int>& sizes, int stored_size);

// The text "自動" on an automatic colour button is white on a dark face (red +
// green + blue at most 384) and black on a light one.
bool automatic_label_is_white(std::uint32_t face_colour);
