#include "engine/calculator.h"

#include <memory>
#include <vector>

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
thread_local std::size_t workspace_depth = 0;

class workspace_lease {
public:
    workspace_lease() {
        if (workspaces.size() <= workspace_depth)
            workspaces.push_back(std::make_unique<workspace>());
        space_ = workspaces[workspace_depth].get();
        ++workspace_depth;
    }
    ~workspace_lease() {
        --workspace_depth;
        constexpr std::size_t keep = 1 << 14; // do not hold on to huge buffers
        if (space_->tokens.capacity() > keep || space_->prepared.capacity() > keep ||
            space_->stack.capacity() > keep)
            *space_ = workspace{};
    }
    workspace_lease(const workspace_lease&) = delete;
    workspace_lease& operator=(const workspace_lease&) = delete;
    workspace& get() { return *space_; }

private:
    workspace* space_;
};

} // namespace

double calculator::calculate(std::string_view text) {
    if (text.empty())
        throw calculator_error(messages::empty_expression, 0, 0);
    expression.assign(text.data(), text.size()); // assign handles a text that views expression
    workspace_lease lease;
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
