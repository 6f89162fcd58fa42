#pragma once
#include "ui/dialog.h"
#include "ui/mail_line.h"

// Opens a link with the shell's default verb, as the user's mail program.
void open_with_shell(HWND owner, const std::string& link);

// The modal "Tarvikについて" box. OK, Enter and the close box end it; Esc
// does not (on_cancel keeps doing nothing).
class about_box : public dialog {
public:
    explicit about_box(mail_line::link_opener opener = open_with_shell) : open_link_(std::move(opener)) {}

    // Runs the box modally over the parent.
    INT_PTR run(HWND parent);

    const mail_line& mail() const { return mail_; }

protected:
    bool on_init_dialog(HWND focus, LPARAM init_param) override;
    void on_ok() override;
    void on_close() override;
    void on_destroy() override;

private:
    mail_line::link_opener open_link_;
    mail_line mail_;
};
