#pragma once
#include "app/placement_rules.h"

// Where the text the user is typing lies on the screen, as the hotkey found
// it: a caret, over which the calculator sits, or only the focused element,
// under which it drops.
enum class anchor_kind {
    caret,   // a text caret, or the focus window's top left corner
    element, // the bounding rectangle of the focused element
};

// Which source answered, for the step trace and the tests.
enum class anchor_source {
    system_caret,
    accessible_caret,   // the caret object of Active Accessibility
    automation_caret,   // the caret range of UI Automation's text pattern
    automation_element, // the focused element of UI Automation
    focus_window,
};

struct text_anchor {
    anchor_kind kind = anchor_kind::caret;
    anchor_source source = anchor_source::focus_window;
    screen_rectangle area; // of the caret, or of the element
};

// The window's top left corner at the anchor: its bottom edge on a caret's
// top; its top edge on an element's bottom, or its bottom edge on the
// element's top when the work area has no room below. Clamping to the work
// area follows.
screen_point origin_at_anchor(const text_anchor& anchor, int height, int work_bottom);
