// The program's entry: one calculator_application for the process, its
// start-up, the message loop and the shutdown in that order.
#include <windows.h>

#include <memory>

#include "app/calculator_application.h"
#include "ui/crash_log.h"
#include "ui/exception_guard.h"
#include "ui/step_trace.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_command) {
    install_crash_log();
    trace_step("entry");
    auto program = std::make_unique<calculator_application>(instance, command_line, show_command);
    int exit_code = 0;
    // Whatever escapes the start-up or the loop is logged, and the exit still
    // runs, saving the user's files.
    try {
        if (program->init_instance())
            exit_code = program->run();
    } catch (...) {
        on_caught_exception();
    }
    program->exit_instance();
    program.reset();
    return exit_code;
}
