#pragma once
#include <windows.h>

#include <optional>

#include "app/text_anchor.h"

struct ui_automation;
struct ui_automation_element;

// A UI Automation client on the calling thread (which must have COM
// initialised) that asks for where the user types: the caret range of the
// focused element's text pattern, or else that element's bounding
// rectangle. Wherever UI Automation is missing or partial, it answers
// nothing and the caller falls back.
class automation_client {
public:
    automation_client();
    ~automation_client();
    automation_client(const automation_client&) = delete;
    automation_client& operator=(const automation_client&) = delete;

    std::optional<text_anchor> anchor_for(HWND focus) const;
    // False where the system has no UI Automation client to offer.
    bool available() const { return automation_ != nullptr; }

private:
    ui_automation_element* focused_element(HWND focus) const;

    ui_automation* automation_ = nullptr;
};
