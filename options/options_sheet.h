#pragma once
#include <windows.h>

#include "options/display_page.h"
#include "options/format_page.h"
#include "options/functions_page.h"
#include "options/settings.h"
#include "options/transfer_page.h"
#include "ui/property_sheet.h"

// The modal "Tarvik オプション" sheet over the settings record it edits (the
// program's live record, which its owner keeps). The pages copy from the
// record when they open and write back only when the sheet is confirmed, so
// Cancel leaves the record as it was.
class options_sheet : public property_sheet {
public:
    // Publishes this sheet as the process's one options sheet.
    explicit options_sheet(settings& record);
    ~options_sheet() override;
    options_sheet(const options_sheet&) = delete;
    options_sheet& operator=(const options_sheet&) = delete;

    // The process's options sheet; nullptr before one exists.
    static options_sheet* current();

    settings& current_settings() { return settings_; }
    const settings& current_settings() const { return settings_; }

    // Shows the sheet modally over the parent, opened on the functions page.
    // Returns PropertySheet's result: 0 after Cancel, nonzero after OK (-1
    // when the sheet could not be shown). While the sheet runs, another
    // request only brings it to the front and returns 0, so that no second
    // modal loop starts.
    INT_PTR run(HWND parent);

    bool is_open() const { return open_; }
    // Brings the open sheet (or the message box it shows) to the front.
    void bring_to_front() const;

private:
    settings& settings_;
    functions_page functions_{settings_};
    display_page display_{settings_};
    transfer_page transfer_{settings_};
    format_page format_{settings_};
    HWND parent_ = nullptr;
    bool open_ = false;
};
