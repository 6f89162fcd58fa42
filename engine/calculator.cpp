#include "engine/calculator.h"

#include <memory>
#include <vector>

#include "engine/evaluation_limits.h"
#include "engine/evaluator.h"
#include "engine/messages.h"
#include "engine/parser.h"
#include "engine/tokenizer.h"

namespace cal {

namespace {

// Scratch lists of calculate, one set per nesting level (a user-function call
// runs calculate on an inner calculator while the outer one is evaluating), so
// that repeated evaluations reuse their capacity instead of allocating.
struct workspace {
    std::vector<token> tokens;
    std::vector<token> prepared;
    std::vector<stack_item> stack;
};

thread_local std::vector<std::unique_ptr<workspace>> workspaces;

// Levels whose scratch lists are kept between evaluations: those of everyday
// nesting. A deep evaluation gives back the rest when it ends.
constexpr std::size_t kept_levels = 4;

class workspace_lease {
public:
    explicit workspace_lease(std::size_t depth) : depth_(depth) {
        if (workspaces.size() <= depth_)
            workspaces.resize(depth_ + 1);
        if (!workspaces[depth_])
            workspaces[depth_] = std::make_unique<workspace>();
        space_ = workspaces[depth_].get();
    }
    ~workspace_lease() {
        constexpr std::size_t keep = 1 << 14; // do not hold on to huge buffers
        if (space_->tokens.capacity() > keep || space_->prepared.capacity() > keep ||
            space_->stack.capacity() > keep)
            *space_ = workspace{};
        if (depth_ == 0 && workspaces.size() > kept_levels) {
            workspaces.resize(kept_levels);
            workspaces.shrink_to_fit();
        }
    }
    workspace_lease(const workspace_lease&) = delete;
    workspace_lease& operator=(const workspace_lease&) = delete;
    workspace& get() { return *space_; }

private:
    std::size_t depth_;
    workspace* space_;
};

} // namespace

double calculator::calculate(std::string_view text) {
    if (text.empty())
        throw calculator_error(messages::empty_expression, 0, 0);
    expression.assign(text.data(), text.size()); // assign handles a text that views expression
    evaluation_scope scope(expression.size());
    workspace_lease lease(scope.depth());
    workspace& space = lease.get();
    space.tokens.reserve(expression.size() + 1); // at most one token per byte
    tokenize(expression, space.tokens);
    prepare_tokens(space.tokens, user_functions, space.prepared);
    to_postfix(space.prepared, space.tokens);
    return evaluate_postfix(space.tokens, *this, space.stack);
}

void calculator::add_user_function(std::string_view text) {
    user_function function;
    function.parse_definition(text);
    user_functions.push_back(std::move(function));
}

} // namespace cal
