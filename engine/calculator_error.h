#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace cal {

// The part of a user function definition an error of its parser is about, so
// that whoever composed the text from separate fields can point at the one to
// fix. Evaluation errors are about no part.
enum class definition_part : std::uint8_t { none, name, parameters, definition };

// The engine's single error type. what() is the Japanese message (CP932);
// position is a byte offset into the evaluated text (-1 when there is none)
// and length the number of bytes to emphasise. The user-function definition
// parser keeps its traditional position values (1 for a bad name, 2 for a bad
// parameter, a byte offset for an unreadable character); which part of the
// definition is at fault is told by part alone.
class calculator_error : public std::runtime_error {
public:
    calculator_error(const std::string& message, std::int32_t at, std::int32_t count,
                     definition_part at_fault = definition_part::none)
        : std::runtime_error(message), position(at), length(count), part(at_fault), message_(message) {}

    // The whole message. what() is a C string and would end at a NUL byte,
    // which an expression read from a file or a pipe can carry into it.
    const std::string& message() const { return message_; }

    std::int32_t position;
    std::int32_t length;
    definition_part part;

private:
    std::string message_;
};

} // namespace cal
