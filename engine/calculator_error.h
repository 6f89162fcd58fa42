#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace cal {

// The engine's single error type. what() is the Japanese message (CP932);
// position is a byte offset into the evaluated text (-1 when there is none)
// and length the number of bytes to emphasise. The user-function definition
// parser uses position as a field code instead (1 name, 2 parameter list).
class calculator_error : public std::runtime_error {
public:
    calculator_error(const std::string& message, std::int32_t at, std::int32_t count)
        : std::runtime_error(message), position(at), length(count), message_(message) {}

    // The whole message. what() is a C string and would end at a NUL byte,
    // which an expression read from a file or a pipe can carry into it.
    const std::string& message() const { return message_; }

    std::int32_t position;
    std::int32_t length;

private:
    std::string message_;
};

} // namespace cal
