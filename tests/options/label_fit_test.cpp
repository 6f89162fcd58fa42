// Every label of every page and dialog fits its control whole: each check
// box, radio button, push button, group box and static text is measured in
// the Japanese dialog fonts at hand (the dialog's own as this system realises
// it, and those a Japanese Windows uses, where installed) at 96 and 144 DPI,
// against the width its dialog units give in that font.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/sjis.h"
#include "ui/application.h"

namespace {

// What a control draws besides its text, in pixels at 96 DPI: the check
// mark's box and the gap after it, a button's edges, a group box's frame
// ends either side of its title.
enum class label_kind { plain, check, push, group };

struct control_label {
    std::string text;
    label_kind kind;
    int width_units; // dialog units
    int lines = 1;   // a plain text of more than one line's height wraps
};

struct font_face {
    std::string name; // CP932
    int dpi;
};

label_kind kind_of(HWND control) {
    char class_name[32] = {};
    GetClassNameA(control, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0)
        return label_kind::plain;
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return label_kind::check;
    case BS_GROUPBOX: return label_kind::group;
    default: return label_kind::push;
    }
}

bool has_label(HWND control) {
    char class_name[32] = {};
    GetClassNameA(control, class_name, sizeof class_name);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(class_name, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
               type == SS_LEFTNOWORDWRAP;
    }
    return lstrcmpiA(class_name, "Button") == 0 && (style & BS_TYPEMASK) != BS_OWNERDRAW;
}

// The dialog's labels with their widths in dialog units, read back from the
// dialog as the template made it.
std::vector<control_label> labels_of(HWND dialog) {
    RECT units{0, 0, 400, 400};
    MapDialogRect(dialog, &units); // pixels per 400 horizontal and vertical units
    RECT client{};
    GetClientRect(dialog, &client);
    std::vector<control_label> labels;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        if (!has_label(child) || text[0] == '\0')
            continue;
        RECT box{};
        GetWindowRect(child, &box);
        // A control placed outside the dialog is never seen (the colour
        // dialog keeps one there that only its keyboard mnemonic reaches).
        POINT top_left{box.left, box.top};
        ScreenToClient(dialog, &top_left);
        if (top_left.x >= client.right || top_left.y >= client.bottom)
            continue;
        const int width_units = MulDiv(box.right - box.left, 400, units.right);
        const label_kind kind = kind_of(child);
        const int height_units = MulDiv(box.bottom - box.top, 400, units.bottom);
        // A dialog's text line is 8 units high.
        const int lines = kind == label_kind::plain ? (height_units / 8 > 1 ? height_units / 8 : 1) : 1;
        labels.push_back({text, kind, width_units, lines});
    }
    return labels;
}

HFONT make_font(const font_face& face) {
    LOGFONTA description{};
    description.lfHeight = -MulDiv(9, face.dpi, 72);
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(description.lfFaceName, face.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

// The horizontal dialog base unit of the font, as the dialog manager takes
// it: the average width of the 52 Latin letters, rounded.
int base_unit_x(HDC dc) {
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32A(dc, letters, 52, &size);
    return (size.cx / 26 + 1) / 2;
}

int text_width(HDC dc, const std::string& text) {
    RECT box{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE);
    return box.right - box.left;
}

int decoration(label_kind kind, int dpi) {
    switch (kind) {
    case label_kind::check: return MulDiv(20, dpi, 96);
    case label_kind::push: return MulDiv(10, dpi, 96);
    case label_kind::group: return MulDiv(18, dpi, 96);
    case label_kind::plain: break;
    }
    return 0;
}

bool face_installed(const std::string& name) {
    HDC dc = GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, name.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(
        dc, &wanted,
        [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM into) -> int {
            *reinterpret_cast<bool*>(into) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The dialog font as this system realises it, and the Japanese dialog fonts
// that are installed, each at both DPIs.
std::vector<font_face> faces_for(HWND dialog) {
    std::vector<std::string> names;
    LOGFONTA own{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof own, &own);
    HDC dc = GetDC(dialog);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    char realised[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, realised);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    names.push_back(realised);
    for (const char* name : {"MS UI Gothic", "Meiryo UI", "Yu Gothic UI", "IPAPGothic", "IPAGothic"}) {
        if (name != names.front() && face_installed(name))
            names.push_back(name);
    }
    std::vector<font_face> faces;
    for (const std::string& name : names)
        for (int dpi : {96, 144})
            faces.push_back({name, dpi});
    return faces;
}

INT_PTR CALLBACK quiet_dialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct dialog_case {
    const char* name;
    int template_id;
};

class label_fit : public testing::TestWithParam<dialog_case> {
protected:
    label_fit() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};

TEST_P(label_fit, every_label_fits_its_control_whole) {
    // Pages are child dialogs: they get a hidden frame to live in.
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().template_id), frame,
                                     quiet_dialog, 0);
    ASSERT_NE(dialog, nullptr);
    const std::vector<control_label> labels = labels_of(dialog);
    EXPECT_FALSE(labels.empty());
    HDC dc = GetDC(dialog);
    for (const font_face& face : faces_for(dialog)) {
        HFONT font = make_font(face);
        HGDIOBJ previous = SelectObject(dc, font);
        const int unit = base_unit_x(dc);
        for (const control_label& label : labels) {
            // Each wrapped line may leave up to a full-width character unused.
            const int available = MulDiv(label.width_units, unit, 4) * label.lines - (label.lines - 1) * 2 * unit;
            const int needed = text_width(dc, label.text) + decoration(label.kind, face.dpi);
            EXPECT_LE(needed, available) << utf8_from_sjis(label.text) << " in " << utf8_from_sjis(face.name)
                                         << " at " << face.dpi << " DPI";
        }
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
    DestroyWindow(frame);
}

INSTANTIATE_TEST_SUITE_P(dialogs, label_fit,
                         testing::Values(dialog_case{"functions_page", IDD_FUNCTIONS_PAGE},
                                         dialog_case{"user_function", IDD_USER_FUNCTION},
                                         dialog_case{"display_page", IDD_DISPLAY_PAGE},
                                         dialog_case{"transfer_page", IDD_TRANSFER_PAGE},
                                         dialog_case{"format_page", IDD_FORMAT_PAGE},
                                         dialog_case{"colour_dialog", IDD_COLOUR_DIALOG},
                                         dialog_case{"about_box", IDD_ABOUT}),
                         [](const testing::TestParamInfo<dialog_case>& info) { return info.param.name; });

} // namespace
