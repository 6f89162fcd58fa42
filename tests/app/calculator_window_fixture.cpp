#include "calculator_window_fixture.h"

#include "options/settings_file.h"

#include <fstream>
#include <sstream>

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string calculator_window_fixture::new_directory() {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string directory = std::string(temp) + "tarvik_window_" + std::to_string(GetCurrentProcessId()) +
                            "_" + std::to_string(++counter) + "\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
}

void calculator_window_fixture::start(const std::function<void(settings&)>& tweak) {
    settings record;
    record.show_tray = false;
    if (tweak)
        tweak(record);
    save_settings(record, directory + "Tarvik.ini");
    calculator = std::make_unique<main_window>(directory);
    ASSERT_TRUE(calculator->create(nullptr));
    calculator->finish_start();
}

std::string file_contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 100; ++i) {
        pump_messages();
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

HWND child_edit(HWND window, bool read_only) {
    struct search {
        bool read_only;
        HWND found;
    } wanted{read_only, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& wanted = *reinterpret_cast<search*>(data);
            char class_name[16] = {};
            GetClassNameA(child, class_name, sizeof class_name);
            const bool child_read_only = (GetWindowLongA(child, GWL_STYLE) & ES_READONLY) != 0;
            if (lstrcmpiA(class_name, "Edit") != 0 || child_read_only != wanted.read_only)
                return TRUE;
            wanted.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

expression_editor& calculator_window_fixture::editor_control() {
    return dynamic_cast<expression_editor&>(*app.registry().find(editor_handle()));
}

answer_display& calculator_window_fixture::answer_control() {
    return dynamic_cast<answer_display&>(*app.registry().find(answer_handle()));
}

bool calculator_window_fixture::hotkey_held(UINT modifiers, UINT virtual_key) {
    HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 0, modifiers, virtual_key) != FALSE;
    if (free)
        UnregisterHotKey(probe, 0);
    DestroyWindow(probe);
    return !free;
}

std::string calculator_window_fixture::variable_text(const std::string& name) const {
    const std::string start = name + " = ";
    for (const std::string& row : variable_rows())
        if (row.compare(0, start.size(), start) == 0)
            return row.substr(start.size());
    return {};
}

void calculator_window_fixture::TearDown() {
    if (calculator && IsWindow(calculator->handle()))
        DestroyWindow(calculator->handle());
    calculator.reset();
    // The window's destruction posts the quit message: take it off the queue.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    for (const char* name : {"Tarvik.ini", "history.txt", "var.txt"})
        DeleteFileA((directory + name).c_str());
    RemoveDirectoryA(directory.c_str());
}
