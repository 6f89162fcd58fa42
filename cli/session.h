#pragma once
#include "app/calculator_session.h"
#include "engine/answer_format.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

// The outcome of committing one line.
struct commit_result {
    bool ok = false;
    double value = 0;    // the evaluated value (ok)
    std::string answer;  // the answer text as the window shows it (ok)
    std::string message; // the engine's message, CP932 (not ok)
    std::int32_t position = -1;
    std::int32_t length = 0;
};

// One calculator kept for a whole run; every line is committed by the
// calculator window's own rule (calculator_session): evaluate (assignments
// take effect, and stay when a later part of the line fails), format by the
// answer form, then set "ans" (rounded as shown when ans_precision is on). A
// failed evaluation or formatting leaves "ans" as it was.
class session {
public:
    session(const cal::answer_options& options, cal::angle_unit angle_mode);

    // Adds a user function; on a rejected text returns false and fills error.
    bool add_function(std::string_view text, commit_result& error);

    commit_result commit(std::string_view line);

    const cal::calculator& calculator() const { return session_.engine(); }

private:
    calculator_session session_;
};

} // namespace cli
