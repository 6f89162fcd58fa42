#pragma once
#include <windows.h>

#include <string>

#include "ui/accessible_content.h"

class accessible_object;

// What a screen reader meets of one window. Where the system makes its
// standard accessible object for the window, the window's name (and, for a
// live region, its politeness) is annotated on it through the platform's
// annotation service; where it makes none (Wine), the window hands out an
// accessible object of its own, built from its content. oleacc, ole32 and
// oleaut32 load at the first request, so a start without a screen reader
// does not wait for them. One per window object; it goes with the window.
class accessibility_provider {
public:
    explicit accessibility_provider(const accessible_content& content) : content_(content) {}
    ~accessibility_provider();
    accessibility_provider(const accessibility_provider&) = delete;
    accessibility_provider& operator=(const accessibility_provider&) = delete;

    // The answer to WM_GETOBJECT; 0 leaves the request to the system's
    // standard object, annotated by then.
    LRESULT answer(HWND window, DWORD flags, LONG object_id);
    // A live region's changes are read out without the user going there.
    void set_live_region(bool live) { live_region_ = live; }

private:
    bool annotate(HWND window);

    const accessible_content& content_;
    bool live_region_ = false;
    bool annotated_ = false;
    accessible_object* object_ = nullptr;
};

// Tells screen readers that the window's live region changed (a committed
// answer or an error message), to be read out politely.
void announce_live_region(HWND window);

// Text in the program's code page as a screen reader takes it.
std::wstring accessible_text(const std::string& narrow);
