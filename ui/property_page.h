#pragma once
#include <windows.h>
#include <prsht.h>

#include "ui/dialog.h"

// One page of a property sheet. The sheet's notifications arrive through
// on_notify and are turned into the five page operations; their answers are
// stored as the page's message result.
class property_page : public dialog {
public:
    explicit property_page(int template_id);

    // The platform's page record: no flags, the template id, page_procedure
    // and this object as application value. The module handle stays empty
    // until the sheet runs.
    const PROPSHEETPAGEA& page_description() const { return description_; }

protected:
    // True keeps the page active (its data is invalid).
    virtual bool on_kill_active();
    // True accepts the activation; false asks the sheet to skip the page.
    virtual bool on_set_active();
    // True refuses to close the sheet.
    virtual bool on_apply();
    virtual void on_reset();
    virtual void on_page_help();

    // Routes the PSN_ notifications; derived pages that handle notifications
    // of their own controls pass the rest on to here.
    void on_notify(int control_id, NMHDR* header) override;

private:
    void set_message_result(LONG_PTR result);

    PROPSHEETPAGEA description_{};
};

// Property pages: as dialog_procedure, the object being the application value
// of the page record that comes with WM_INITDIALOG.
INT_PTR CALLBACK page_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);
