#pragma once
#include <cstdint>

// Where the calculator stands with the text in the editor; it decides what
// Enter and the next typed character do.
enum answer_state : std::int32_t {
    edited = 0,        // the text changed since the last commit: Enter evaluates
    committed = 1,     // the answer shown belongs to the text: Enter sends it
    eval_failed = 2,   // Enter raised an error: Enter does nothing until an edit
    format_failed = 3, // re-showing ans in a new answer form failed
};

// The characters that, typed after a commit, continue the answer as "ans"
// followed by them.
constexpr bool operator_continues_answer(unsigned character) {
    return character == '%' || character == '*' || character == '+' || character == '-' || character == '/';
}
