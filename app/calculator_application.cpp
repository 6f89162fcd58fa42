#include "app/calculator_application.h"

#include <commctrl.h>

#include <string>

#include "resources/resource.h"
#include "ui/exception_guard.h"
#include "ui/step_trace.h"
#include "ui/visual_styles.h"
#include "ui/window_procedure.h"

namespace {

constexpr const char* HIDDEN_OWNER_CLASS = "tarvikdummywnd";

} // namespace

calculator_application::calculator_application(HINSTANCE instance, const char* command_line, int show_command)
    : application(instance, command_line, show_command) {}

// The program's folder in full (the ANSI form of a folder named outside the
// code page would not name it).
std::wstring calculator_application::program_folder() const {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(instance(), path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A second start from the same folder brings the running calculator forward
// and ends quietly.
bool calculator_application::show_running_copy() const {
    std::string class_name = "tarvikwnd";
    load_string_resource(IDS_WINDOW_CLASS, class_name);
    return single_instance::show_running_copy(program_folder(),
                                              std::wstring(class_name.begin(), class_name.end()));
}

// The first call into comctl32 binds the delay-loaded library: inside the
// scope it is version 6, whose functions the sheets and lists then use.
bool calculator_application::init_common_controls() {
    const visual_styles_scope themed;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    return InitCommonControlsEx(&controls) != FALSE;
}

bool calculator_application::create_hidden_owner() {
    register_class(HIDDEN_OWNER_CLASS, 0, nullptr, nullptr, nullptr, nullptr);
    return hidden_owner_.create(0, HIDDEN_OWNER_CLASS, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
}

bool calculator_application::init_instance() {
    // Before anything else: the copies of one folder share its files.
    instance_lock_ = std::make_unique<single_instance>(program_folder());
    if (!instance_lock_->first()) {
        show_running_copy();
        return false;
    }

    accelerators_ = LoadAcceleratorsA(instance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!create_hidden_owner())
        return false;
    if (!main_window_.create(hidden_owner_.handle()))
        return false;
    trace_step("main window created");
    if (main_window_.current_settings().begin_show) {
        ShowWindow(main_window_.handle(), SW_SHOW);
        trace_step("shown");
        // The first paint comes before the rest of the start, not after it.
        RedrawWindow(main_window_.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        trace_step("first paint");
    }
    // comctl32 is delay-loaded and nothing before the first paint calls it,
    // so its initialisation (longer than a bare window's whole start under
    // Wine, unless the themed controls brought it in already) comes here.
    if (!init_common_controls()) {
        DestroyWindow(main_window_.handle());
        return false;
    }
    trace_step("common controls");
    main_window_.finish_start();
    return true;
}

int calculator_application::run() {
    trace_step("message loop");
    MSG message;
    // The accelerators work for every window of the thread, so Ctrl+D/A/B/O/H
    // switch the answer form while a list popup has the focus too.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The procedures catch what their handlers throw; what is called
        // without them (a timer's callback) ends here, and the loop goes on.
        try {
            if (accelerators_ && main_window_.handle() &&
                TranslateAcceleratorA(main_window_.handle(), accelerators_, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } catch (...) {
            on_caught_exception();
        }
    }
    return static_cast<int>(message.wParam);
}

// A main window still there (the start-up or the loop ended by an exception)
// is destroyed now, which saves the user's files.
bool calculator_application::exit_instance() {
    if (IsWindow(main_window_.handle()))
        DestroyWindow(main_window_.handle());
    return application::exit_instance();
}
