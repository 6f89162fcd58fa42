#pragma once
#include <windows.h>

#include "calc/answer_state.h"
#include "app/function_keys.h"

// What the expression editor needs from the window that owns it (the main
// window): the answer state, the keys and commands it hands on, and the calls
// that Alt+key inserts. Keeping it abstract lets the editor live with the
// other controls without knowing the main window or the settings.
class expression_editor_owner {
public:
    virtual answer_state current_answer_state() const = 0;
    // The caret moved sideways: the committed text is about to be edited.
    virtual void caret_moved() = 0;
    // Whether the typed character continues the committed answer as "ans".
    virtual bool continues_answer(unsigned character) const = 0;

    // Enter: evaluate and commit, or send the committed answer.
    virtual void commit() = 0;

    // Escape, Page Up and Page Down, as the editor received them.
    virtual void editor_key_down(UINT virtual_key, UINT repeat, UINT flags) = 0;

    // The editor menu's "変数(&V)": opens the variable list.
    virtual void show_variables() = 0;

    // The Alt+key bindings as they stand now, resolved to call templates.
    virtual function_key_table function_keys() const = 0;

protected:
    ~expression_editor_owner() = default;
};
