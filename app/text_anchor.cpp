#include "app/text_anchor.h"

screen_point origin_at_anchor(const text_anchor& anchor, int height, int work_bottom) {
    const screen_rectangle& area = anchor.area;
    if (anchor.kind == anchor_kind::caret)
        return origin_above_caret({area.left, area.top}, height);
    // A tall element (a whole document) leaves no room below: the window
    // then stands on its top edge, as over a caret.
    if (static_cast<long long>(area.bottom) + height <= work_bottom)
        return {area.left, area.bottom};
    return origin_above_caret({area.left, area.top}, height);
}
