#include "engine/evaluation_limits.h"

#include <string>

#include "engine/messages.h"

namespace cal {

namespace {

thread_local std::size_t current_depth = 0;
thread_local std::int64_t work_left = 0;

[[noreturn]] void too_deep() {
    std::string message = messages::call_depth_prefix;
    message += std::to_string(max_call_depth);
    message += messages::call_depth_suffix;
    throw evaluation_limit_error(message, -1, 0);
}

} // namespace

evaluation_scope::evaluation_scope(std::size_t text_size) : depth_(current_depth) {
    if (depth_ > max_call_depth)
        too_deep();
    if (depth_ == 0)
        work_left = work_budget;
    const std::int64_t cost = static_cast<std::int64_t>(text_size) + work_per_text;
    if (cost > work_left)
        throw evaluation_limit_error(messages::work_budget_exceeded, -1, 0);
    work_left -= cost;
    ++current_depth;
}

evaluation_scope::~evaluation_scope() { --current_depth; }

} // namespace cal
