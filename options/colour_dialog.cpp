#include "options/colour_dialog.h"

#include <commdlg.h>

#include "options/settings.h"
#include "resources/resource.h"
#include "ui/program_resources.h"

namespace {

// Black at start; the dialog keeps them up to date.
COLORREF custom_colours[16] = {};
// Set by the hook when the automatic button ends the dialog.
bool automatic_chosen = false;

} // namespace

UINT_PTR CALLBACK colour_dialog_hook(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message != WM_COMMAND || wparam != IDC_COLOUR_AUTOMATIC)
        return FALSE;
    automatic_chosen = true;
    // Ended as cancelled, so that no implementation copies a chosen colour.
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

bool choose_colour(HWND owner, std::int32_t& colour) {
    automatic_chosen = false;
    CHOOSECOLORA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hInstance = reinterpret_cast<HWND>(program_instance());
    request.rgbResult = static_cast<COLORREF>(colour);
    request.lpCustColors = custom_colours;
    request.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_ENABLETEMPLATE;
    request.lpfnHook = colour_dialog_hook;
    request.lpTemplateName = MAKEINTRESOURCEA(IDD_COLOUR_DIALOG);
    const bool confirmed = ChooseColorA(&request) != FALSE;
    if (automatic_chosen)
        colour = AUTO_COLOR;
    else if (confirmed)
        colour = static_cast<std::int32_t>(request.rgbResult & 0xFFFFFF);
    return confirmed || automatic_chosen;
}
