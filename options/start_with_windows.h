#pragma once
#include <string>

// The per-user "Run" value "Tarvik", through which Windows starts the program
// when the user logs on. It names one copy by its full path: the installer
// writes it for the installed copy, the display page for whichever copy runs
// (an installed one or one unpacked from the zip).
class start_with_windows {
public:
    // For the copy of the program that is running.
    static start_with_windows for_this_program();
    explicit start_with_windows(std::wstring program_path);

    // True when the value is there and starts this copy.
    bool is_on() const;
    // Writes the value for this copy, replacing one for another copy; false
    // when the registry refuses.
    bool turn_on() const;
    // Removes the value when it starts this copy; one that starts another copy
    // is that copy's. False when the registry refuses.
    bool turn_off() const;

private:
    std::wstring program_path_;
};
