#include "engine/parser.h"

#include <algorithm>
#include <string>

#include "engine/builtin_functions.h"
#include "engine/calculator_error.h"
#include "engine/messages.h"
#include "engine/operator_table.h"

namespace cal {

namespace {

std::int32_t to_i32(std::size_t value) { return static_cast<std::int32_t>(value); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// Per "(" token: index of its matching ")" (or none), the commas directly
// inside it and the other tokens (not "(" / ")") at any depth inside it.
struct paren_info {
    static constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t close = none;
    std::size_t commas = 0;
    std::size_t others = 0;
};

// One linear pass over the parentheses, so that the argument-count check of
// nested calls costs no re-scan. The result is indexed by token.
void count_parenthesis_contents(const std::vector<token>& tokens, std::vector<paren_info>& parens) {
    // Scratch buffer: prepare_tokens never re-enters itself.
    thread_local std::vector<std::size_t> open;
    open.clear();
    parens.assign(tokens.size(), paren_info{});
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
        } else if (!open.empty()) {
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
    for (std::size_t k = 0; k < functions.size(); ++k)
        if (equal_ignoring_case(functions[k].name, t.text))
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
    const std::size_t paren = name + 1;   // the recogniser puts the "(" right after the name
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

// Resolves the function names among tokens[0..end) and checks their calls,
// raising the first fault in token order.
void resolve_calls(std::vector<token>& tokens, std::size_t end, const user_function_list& functions) {
    thread_local std::vector<paren_info> parens;   // prepare_tokens never re-enters itself
    bool counted = false;
    for (std::size_t i = 0; i < end; ++i) {
        token& t = tokens[i];
        if (!is_function_kind(t.kind))
            continue;
        if (!counted) {   // only expressions with a call pay for the count
            count_parenthesis_contents(tokens, parens);
            counted = true;
        }
        t.kind = resolve_function_name(t, functions);
        check_argument_count(tokens, i, function_arg_count(t.kind, functions), parens);
    }
}

// Index of the first operand or function that directly follows ")", or
// tokens.size() when there is none.
std::size_t find_operand_after_close_paren(const std::vector<token>& tokens) {
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (tokens[i - 1].kind == token_kind::close_paren &&
            (is_operand_kind(tokens[i].kind) || is_function_kind(tokens[i].kind)))
            return i;
    return tokens.size();
}

// "+" and "-" are read as the unary rows; after an operand or ")" they are the
// binary ones.
void make_signs_binary_after_operands(std::vector<token>& tokens) {
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        token& t = tokens[i];
        const token_kind previous = tokens[i - 1].kind;
        if ((t.kind == token_kind::unary_plus || t.kind == token_kind::unary_minus) &&
            (is_operand_kind(previous) || previous == token_kind::close_paren))
            t.kind = t.kind == token_kind::unary_plus ? token_kind::add : token_kind::subtract;
    }
}

// A decimal literal directly followed by a name, a function or "(", and ")"
// directly followed by "(", multiply without an operator.
bool multiplies_implicitly(const token& previous, const token& t) {
    return (previous.kind == token_kind::decimal_literal && t.kind >= token_kind::identifier) ||
           (t.kind == token_kind::open_paren &&
            (previous.kind == token_kind::decimal_literal || previous.kind == token_kind::close_paren));
}

// Inserts the implicit "*" (at the position of the token it precedes). Works
// from the back, so that every token moves once and the list needs no copy.
void insert_implicit_multiplications(std::vector<token>& tokens) {
    std::size_t inserted = 0;
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (multiplies_implicitly(tokens[i - 1], tokens[i]))
            ++inserted;
    if (inserted == 0)
        return;
    const std::size_t n = tokens.size();
    tokens.resize(n + inserted);
    for (std::size_t i = n - 1; inserted > 0; --i) {
        const bool insert = multiplies_implicitly(tokens[i - 1], tokens[i]);
        tokens[i + inserted] = tokens[i];
        if (insert) {
            --inserted;
            const std::int32_t position = tokens[i + inserted + 1].position;
            tokens[i + inserted] = token{"*", token_kind::implicit_multiply, position};
        }
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
    out.reserve(2 * tokens.size());   // at most one implicit "*" per token
    out.assign(tokens.begin(), tokens.end());
    // A call's own faults are reported before an operand after ")" at or
    // behind it, as a reader going left to right meets them.
    const std::size_t operand_after_paren = find_operand_after_close_paren(out);
    resolve_calls(out, std::min(operand_after_paren + 1, out.size()), functions);
    if (operand_after_paren < out.size())
        throw calculator_error(messages::operator_after_paren, out[operand_after_paren].position - 1, 1);
    make_signs_binary_after_operands(out);
    insert_implicit_multiplications(out);
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
    return 0;   // function
}

} // namespace

void to_postfix(const std::vector<token>& tokens, std::vector<token>& out) {
    out.clear();
    out.reserve(tokens.size());
    thread_local std::vector<token> stack;   // to_postfix never re-enters itself
    stack.clear();
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
                bool push = top_level > level ||
                            (top_level == level && is_operator_kind(top.kind) &&
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
