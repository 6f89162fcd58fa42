#include "calculator_window_fixture.h"

#include "options/settings_file.h"

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
