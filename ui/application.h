#pragma once
#include <windows.h>

#include <string>

#include "ui/window_registry.h"

// The one object of the process that the whole user interface reaches through
// application::current(): the instance handle for resources, window classes
// and dialogs, and the registry that maps window handles to window objects.
// The calculator's own application class derives from it and runs start-up
// and the message loop.
class application {
public:
    application(HINSTANCE instance, const char* command_line, int show_command);
    virtual ~application();

    application(const application&) = delete;
    application& operator=(const application&) = delete;

    // True lets the message loop run.
    virtual bool init_instance();
    // Called after the loop; the result is ignored.
    virtual bool exit_instance();
    // The message loop; returns the word parameter of the quit message.
    virtual int run();
    // Handles one pending message, if any; returns its dispatch result or 0.
    virtual int pump_one();

    // Loads a string of the program's string table. False when the string is
    // missing or empty; the text is then left as it was.
    bool load_string_resource(UINT id, std::string& text) const;
    // The directory of the running program in UTF-8, ending in a backslash;
    // empty when the program's path has no backslash.
    void module_directory(std::string& text) const;

    HINSTANCE instance() const { return instance_; }
    const std::string& command_line() const { return command_line_; }
    int show_command() const { return show_command_; }
    window_registry& registry() { return registry_; }

    // The application object of the process, or nullptr outside its lifetime.
    static application* current();

private:
    HINSTANCE instance_;
    std::string command_line_;
    int show_command_;
    window_registry registry_;
};
