#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "ui/application.h"
#include "ui/window.h"

// The calculator's application: one running copy per folder, the Ctrl accelerators for
// the answer forms, a hidden owner window (so the calculator has no taskbar
// button) and the main window.
class calculator_application : public application {
public:
    calculator_application(HINSTANCE instance, const char* command_line, int show_command);
    ~calculator_application() override = default;

    bool init_instance() override;
    int run() override;
    bool exit_instance() override;

    main_window& calculator_window() { return main_window_; }

private:
    std::wstring program_folder() const;
    bool show_running_copy() const;
    bool init_common_controls();
    bool create_hidden_owner();

    // Held until the files are saved at the exit.
    std::unique_ptr<single_instance> instance_lock_;
    HACCEL accelerators_ = nullptr;
    window hidden_owner_;
    main_window main_window_;
};
