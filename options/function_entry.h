#pragma once
#include <string>

// One function as the user function dialog edits it and a row of the
// functions list shows it. key is the character pressed with Alt, -1 for none.
struct function_entry {
    std::string name;
    std::string arguments; // as typed, comma separated
    std::string definition;
    std::string description;
    int key = -1;

    // The form the settings keep and the engine parses.
    std::string stored_text() const {
        return name + "(" + arguments + ")=" + definition + "//" + description;
    }
};
