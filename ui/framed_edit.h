#pragma once
#include <windows.h>

#include <string>

#include "ui/accessibility.h"
#include "ui/accessible_content.h"
#include "ui/colour.h"
#include "ui/dpi_scale.h"
#include "ui/font.h"
#include "ui/window.h"

// Implemented by a window that holds framed controls (the main window): the
// colour from which the light and dark sides of their raised and sunken
// frames are derived. The controls ask for it each time they paint, so a
// changed background shows in the next frame without telling them.
class frame_shade_source {
public:
    virtual colour_value frame_shade_base() const = 0;

protected:
    ~frame_shade_source() = default;
};

// A subclassed system edit control with its own font (face name and size in
// points), background and text colours, and a one-pixel frame that it paints
// itself: flat in the frame colour, or raised or sunken in shades of the
// parent's background.
//
// The setters only store; whoever calls them repaints afterwards. Colours
// given as AUTO_COLOR (all bits set) are replaced by the control's own
// automatic colour when they are set.
class framed_edit : public window, public accessible_content {
public:
    // The automatic colour of the settings (AUTO_COLOR, -1) as a colour value.
    static constexpr colour_value AUTOMATIC = 0xFFFFFFFFu;

    struct look {
        colour_value background;
        colour_value text;
        colour_value frame;
        int frame_style;
        const char* font_face;
        int font_size;
    };

    explicit framed_edit(const look& initial);
    ~framed_edit() override;

    // Creates the edit control (client edge added) and gives it the font
    // without redrawing. False, and no window attached, when it fails.
    virtual bool create_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                                int height, HWND parent, HMENU menu_or_id);

    // Answers the control's WM_CTLCOLOR* request (forwarded by the parent):
    // sets the text and background colours and returns the background brush.
    virtual HBRUSH ctl_colour(HDC dc);

    // Automatic: button face for a read-only control, window colour otherwise
    // (a control not created yet counts as editable).
    void set_background(colour_value colour);
    // Automatic: button text.
    void set_text_colour(colour_value colour);
    // Automatic: pure red.
    void set_error_colour(colour_value colour);
    // Automatic: pure blue.
    void set_preview_colour(colour_value colour);
    // Automatic: button shadow. Only the flat style uses it.
    void set_frame_colour(colour_value colour);
    void set_frame_style(int style);
    // Replaces the font by face_name at size points (screen resolution). When
    // no font can be made the control falls back to the system font.
    void set_font(const char* face_name, int size);
    // The DPI of the monitor the control is shown on: the font is made anew
    // for it (the system DPI until the parent says otherwise).
    void set_dpi(int dpi);

    // The name a screen reader gives the control (in the program's code
    // page); a live region has its changes read out when announced.
    void set_accessible_name(const std::string& name, bool live_region);
    // Tells screen readers that the text changed for good (a live region).
    void announce() const { announce_live_region(handle()); }

    // accessible_content: an editable or read-only text with its text as value.
    std::wstring accessible_name(long child) const override;
    long accessible_role(long child) const override;
    std::wstring accessible_value(long child) const override;
    RECT accessible_location(long child) const override;

    // Character cell height of the control's font plus room for the frame.
    int preferred_height() const;

    colour_value background() const { return background_; }
    colour_value text_colour() const { return text_colour_; }
    colour_value frame_colour() const { return frame_colour_; }
    int frame_style() const { return frame_style_; }
    const std::string& font_face() const { return font_face_; }
    int font_size() const { return font_size_; }
    int dpi() const { return dpi_; }
    HFONT font_handle() const { return font_.handle(); }

protected:
    void on_nc_paint(HRGN update_region) override;
    LRESULT on_get_object(DWORD flags, LONG object_id) override;

private:
    void replace_brush();
    colour_value parent_shade_base() const;

    std::string font_face_;
    int font_size_ = 0;
    font font_;
    colour_value background_ = 0;
    HBRUSH background_brush_ = nullptr;
    colour_value text_colour_ = 0;
    colour_value frame_colour_ = 0;
    int frame_style_ = 0;
    int dpi_ = DESIGN_DPI;
    std::string accessible_name_;
    accessibility_provider accessibility_{*this};
};
