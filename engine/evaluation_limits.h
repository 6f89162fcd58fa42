#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/calculator_error.h"

namespace cal {

// How deep user functions may call one another. Each nested call takes about
// 720 bytes of stack in the Windows build (calculate 208, the evaluation's run
// 432, evaluate_postfix 64, return addresses), so 256 levels stay within some
// 180 KiB of the main thread's 2 MiB, while a list of 4,096 functions calling
// each other in a chain would overflow it.
inline constexpr std::size_t max_call_depth = 256;

// The work one evaluation may do, counted in the units below across the
// expression and every user-function call it makes. Every step of an
// evaluation is linear in the text it reads, so this bounds its time (under
// 0.1 s in the Windows build under Wine on the 2-core build machine, for a
// fan-out of calls as for long bodies) and its scratch memory; a fan-out
// (functions each calling the next several times) would otherwise run for
// minutes on the window's thread.
inline constexpr std::int64_t work_budget = 1'000'000;
// Each evaluated text costs its length in bytes plus this: setting up a call
// (the inner calculator, its parameters, its scratch lists) takes about as
// long as reading 128 bytes of expression.
inline constexpr std::int64_t work_per_text = 128;

// The two limits above. They pass through the user-function calls unwrapped,
// taking the position of each call on the way out, so the user sees the plain
// message at the call typed in the expression.
class evaluation_limit_error : public calculator_error {
public:
    using calculator_error::calculator_error;
};

// One calculate in progress on this thread: its nesting depth (0 for the
// outermost, which starts a new budget) and the work it charges. Raises
// evaluation_limit_error when either limit is exceeded; nothing is counted then.
class evaluation_scope {
public:
    explicit evaluation_scope(std::size_t text_size);
    ~evaluation_scope();
    evaluation_scope(const evaluation_scope&) = delete;
    evaluation_scope& operator=(const evaluation_scope&) = delete;

    std::size_t depth() const { return depth_; }

private:
    std::size_t depth_;
};

} // namespace cal
