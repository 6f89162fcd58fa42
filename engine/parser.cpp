#include "engine/parser.h"

#include <string>

#include "engine/builtin_functions.h"
#include "engine/calculator_error.h"
#include "engine/messages.h"
#include "engine/operator_table.h"

namespace cal {

namespace {

std::int32_t to_i32(std::size_t value) { return static_cast<std::int32_t>(value); }

// A thread's scratch list is kept for the next expression, unless a huge one
// made it large: that memory is given back when the expression is done.
template <typename T>
class scratch_list {
public:
    explicit scratch_list(std::vector<T>& list) : list_(list) { list_.clear(); }
    ~scratch_list() {
        if (list_.capacity() > (1u << 14))
            std::vector<T>().swap(list_);
    }
    scratch_list(const scratch_list&) = delete;
    scratch_list& operator=(const scratch_list&) = delete;
    std::vector<T>& operator*() { return list_; }
    std::vector<T>* operator->() { return &list_; }

private:
    std::vector<T>& list_;
};

// Per "(" token: index of its matching ")" (or none), the commas directly
// inside it and the other tokens (not "(" / ")") at any depth inside it.
struct paren_info {
    static constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t close = none;
    std::size_t commas = 0;
    std::size_t others = 0;
};

// One linear pass over the parentheses, so that the argument-count check of
// nested calls costs no re-scan. The result is indexed by token. An implicit
// "*" is not counted: the count is of what was typed.
void count_parenthesis_contents(const std::vector<token>& tokens, std::vector<paren_info>& parens) {
    // Scratch buffer: prepare_tokens never re-enters itself.
    thread_local std::vector<std::size_t> open_list;
    scratch_list<std::size_t> scratch(open_list);
    std::vector<std::size_t>& open = *scratch;
    parens.clear();
    parens.resize(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const token_kind kind = tokens[i].kind;
        if (kind == token_kind::open_paren) {
            open.push_back(i);
        } else if (kind == token_kind::close_paren) {
            if (open.empty())
                continue;
            std::size_t p = open.back();
            open.pop_back();
            parens[p].close = i;
            if (!open.empty())
                parens[open.back()].others += parens[p].others + parens[p].commas;
        } else if (!open.empty() && kind != token_kind::implicit_multiply) {
            if (kind == token_kind::comma)
                ++parens[open.back()].commas;
            else
                ++parens[open.back()].others;
        }
    }
    // Unclosed "(": their contents count for the enclosing ones too.
    while (open.size() > 1) {
        std::size_t p = open.back();
        open.pop_back();
        parens[open.back()].others += parens[p].others + parens[p].commas;
    }
}

// The kind of the function named by t: the first built-in row, else the first
// user function, whose name matches regardless of case.
token_kind resolve_function_name(const token& t, const user_function_list& functions) {
    const int row = find_builtin_function(t.text);
    if (row >= 0)
        return builtin_function_kind(row);
    if (const std::size_t k = functions.find(t.text); k != user_function_list::npos)
        return user_function_kind(k);
    std::string message = messages::undefined_function_prefix;
    message += t.text;
    message += messages::undefined_function_suffix;
    throw calculator_error(message, t.position, to_i32(t.text.size()));
}

// Raises unless the call at tokens[name] has a closing ")" and arg_count
// arguments: no token at all for none, else arg_count - 1 commas directly
// inside and at least arg_count other tokens.
void check_argument_count(const std::vector<token>& tokens, std::size_t name, int arg_count,
                          const std::vector<paren_info>& parens) {
    const token& t = tokens[name];
    const std::size_t paren = name + 1; // the recogniser puts the "(" right after the name
    if (paren >= tokens.size() || parens[paren].close == paren_info::none) {
        std::int32_t position = paren < tokens.size() ? tokens[paren].position
                                                      : t.position + to_i32(t.text.size());
        throw calculator_error(messages::missing_paren, position, 1);
    }
    const auto commas = parens[paren].commas;
    const auto others = parens[paren].others;
    const auto count = static_cast<std::size_t>(arg_count);
    bool accepted = (count == 0 && commas == 0 && others == 0) ||
                    (count > 0 && commas == count - 1 && others >= count);
    if (!accepted) {
        std::string message = messages::argument_count_prefix;
        message += std::to_string(arg_count);
        message += messages::argument_count_suffix;
        throw calculator_error(message, t.position, to_i32(t.text.size()));
    }
}

// A decimal literal directly followed by a name, a function or "(", and ")"
// directly followed by "(", multiply without an operator.
bool multiplies_implicitly(const token& previous, const token& t) {
    return (previous.kind == token_kind::decimal_literal && t.kind >= token_kind::identifier) ||
           (t.kind == token_kind::open_paren &&
            (previous.kind == token_kind::decimal_literal || previous.kind == token_kind::close_paren));
}

// "+" and "-" are read as the unary rows; after an operand or ")" they are the
// binary ones.
token_kind sign_in_context(token_kind sign, token_kind previous) {
    if (!is_operand_kind(previous) && previous != token_kind::close_paren)
        return sign;
    return sign == token_kind::unary_plus ? token_kind::add : token_kind::subtract;
}

// The operators that the neighbours decide: copies tokens to out, makes the
// signs binary where they follow an operand and inserts an implicit "*" (at the
// position of the token it precedes) where two tokens multiply without one.
void read_operators_in_context(const std::vector<token>& tokens, std::vector<token>& out) {
    out.clear();
    out.reserve(2 * tokens.size()); // at most one implicit "*" per token
    if (tokens.empty())
        return;
    out.push_back(tokens[0]);
    const std::size_t n = tokens.size();
    for (std::size_t i = 1; i < n; ++i) {
        const token& previous = tokens[i - 1];
        const token& t = tokens[i];
        if (multiplies_implicitly(previous, t))
            out.push_back(token{"*", token_kind::implicit_multiply, t.position});
        out.push_back(t);
        if (t.kind == token_kind::unary_plus || t.kind == token_kind::unary_minus)
            out.back().kind = sign_in_context(t.kind, previous.kind);
    }
}

// An operand or a function directly after ")" lacks its operator.
void check_operator_after_close_paren(const token& previous, const token& t) {
    if (previous.kind == token_kind::close_paren && (is_operand_kind(t.kind) || is_function_kind(t.kind)))
        throw calculator_error(messages::operator_after_paren, t.position - 1, 1);
}

// Resolves the function names, checks each call's arguments and checks for an
// operator missing after ")", raising the first fault in token order.
void resolve_and_check_calls(std::vector<token>& tokens, const user_function_list& functions) {
    thread_local std::vector<paren_info> paren_list; // prepare_tokens never re-enters itself
    scratch_list<paren_info> parens(paren_list);
    bool counted = false; // at the first call only
    const std::size_t n = tokens.size();
    for (std::size_t i = 0; i < n; ++i) {
        token& t = tokens[i];
        if (t.kind < token_kind::decimal_literal)
            continue; // operators and parentheses: nothing to check
        if (is_function_kind(t.kind)) {
            if (!counted) {
                count_parenthesis_contents(tokens, *parens);
                counted = true;
            }
            t.kind = resolve_function_name(t, functions);
            check_argument_count(tokens, i, function_arg_count(t.kind, functions), *parens);
        }
        if (i > 0)
            check_operator_after_close_paren(tokens[i - 1], t);
    }
}

} // namespace

int function_arg_count(token_kind kind, const user_function_list& functions) {
    if (!is_function_kind(kind))
        return -1;
    if (!is_user_function_kind(kind))
        return builtin_function_table[builtin_row_of(kind)].arg_count;
    const std::size_t k = user_function_index_of(kind);
    return k < functions.size() ? static_cast<int>(functions[k].parameters.size()) : -1;
}

void prepare_tokens(const std::vector<token>& tokens, const user_function_list& functions,
                    std::vector<token>& out) {
    read_operators_in_context(tokens, out);
    resolve_and_check_calls(out, functions);
}

void prepare_tokens(std::vector<token>& tokens, const user_function_list& functions) {
    std::vector<token> out;
    prepare_tokens(tokens, functions, out);
    tokens.swap(out);
}

namespace {

constexpr std::int32_t paren_level = 1000;

std::int32_t level_of(token_kind kind) {
    if (is_operator_kind(kind))
        return operator_of(kind).level;
    if (kind == token_kind::open_paren)
        return paren_level;
    return 0; // function
}

} // namespace

void to_postfix(const std::vector<token>& tokens, std::vector<token>& out) {
    out.clear();
    out.reserve(tokens.size());
    thread_local std::vector<token> stack_list; // to_postfix never re-enters itself
    scratch_list<token> scratch(stack_list);
    std::vector<token>& stack = *scratch;
    for (const token& t : tokens) {
        if (t.kind == token_kind::close_paren) {
            while (true) {
                if (stack.empty())
                    throw calculator_error(messages::no_left_paren, t.position, 1);
                if (stack.back().kind == token_kind::open_paren)
                    break;
                out.push_back(stack.back());
                stack.pop_back();
            }
            stack.pop_back();
        } else if (t.kind == token_kind::open_paren) {
            stack.push_back(t);
        } else if (is_operand_kind(t.kind)) {
            out.push_back(t);
        } else {
            if (!stack.empty()) {
                const std::int32_t level = level_of(t.kind);
                const token& top = stack.back();
                const std::int32_t top_level = level_of(top.kind);
                bool push = top_level > level || (top_level == level && is_operator_kind(top.kind) &&
                                                  operator_of(top.kind).right_associative);
                if (!push) {
                    out.push_back(top);
                    stack.pop_back();
                    while (!stack.empty() && stack.back().kind != token_kind::open_paren &&
                           level_of(stack.back().kind) <= level) {
                        out.push_back(stack.back());
                        stack.pop_back();
                    }
                }
            }
            stack.push_back(t);
        }
    }
    while (!stack.empty()) {
        if (stack.back().kind == token_kind::open_paren)
            throw calculator_error(messages::no_right_paren, stack.back().position, 1);
        out.push_back(stack.back());
        stack.pop_back();
    }
}

std::vector<token> to_postfix(const std::vector<token>& tokens) {
    std::vector<token> out;
    to_postfix(tokens, out);
    return out;
}

} // namespace cal
