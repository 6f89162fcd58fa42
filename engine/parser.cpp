#include "engine/parser.h"

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

// Per "(" token: index of its matching ")" (or npos), the commas directly
// inside it and the other tokens (not "(" / ")") at any depth inside it.
struct paren_info {
    std::size_t close = static_cast<std::size_t>(-1);
    std::size_t commas = 0;
    std::size_t others = 0;
};

} // namespace

int function_arg_count(std::int32_t kind, const user_function_list& functions) {
    if (kind >= token_kind::builtin_function_first && kind < token_kind::user_function_first)
        return builtin_function_table[static_cast<std::size_t>(kind - token_kind::builtin_function_first)].arg_count;
    if (kind >= token_kind::user_function_first) {
        auto k = static_cast<std::size_t>(kind - token_kind::user_function_first);
        if (k < functions.size())
            return static_cast<int>(functions[k].parameters.size());
    }
    return -1;
}

void prepare_tokens(const std::vector<token>& tokens, const user_function_list& functions,
                    std::vector<token>& out) {
    out.clear();
    out.reserve(2 * tokens.size());   // at most one implicit "*" per token
    const std::size_t n = tokens.size();

    // One linear pass over the parentheses, so that the argument-count check
    // of nested calls costs no re-scan. Only computed when a function occurs.
    // Scratch buffers: prepare_tokens never re-enters itself.
    thread_local std::vector<paren_info> parens;
    thread_local std::vector<std::size_t> open;
    parens.clear();
    open.clear();
    bool any_function = false;
    for (const auto& t : tokens)
        if (t.kind >= token_kind::function_name) {
            any_function = true;
            break;
        }
    if (any_function) {
        parens.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const auto kind = tokens[i].kind;
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

    for (std::size_t i = 0; i < n; ++i) {
        token t = tokens[i];
        if (t.kind >= token_kind::function_name) {
            int arg_count;
            int row = find_builtin_function(t.text);
            if (row >= 0) {
                t.kind = token_kind::builtin_function_first + row;
                arg_count = builtin_function_table[static_cast<std::size_t>(row)].arg_count;
            } else {
                std::size_t k = 0;
                bool found = false;
                for (const auto& f : functions) {
                    if (equal_ignoring_case(f.name, t.text)) {
                        found = true;
                        break;
                    }
                    ++k;
                }
                if (!found) {
                    std::string message = messages::undefined_function_prefix;
                    message += t.text;
                    message += messages::undefined_function_suffix;
                    throw calculator_error(message, t.position, to_i32(t.text.size()));
                }
                t.kind = token_kind::user_function_first + static_cast<std::int32_t>(k);
                arg_count = static_cast<int>(functions[k].parameters.size());
            }
            // The token after the name is its "(" (the recogniser guarantees it).
            const std::size_t paren = i + 1;
            if (paren >= n || parens[paren].close == static_cast<std::size_t>(-1)) {
                std::int32_t position = paren < n ? tokens[paren].position : t.position + to_i32(t.text.size());
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
        if (i > 0) {
            const token& previous = tokens[i - 1];
            const std::int32_t pk = previous.kind;
            if (t.kind == token_kind::unary_plus || t.kind == token_kind::unary_minus) {
                if (is_operand_kind(pk) || pk == token_kind::close_paren)
                    t.kind = t.kind == token_kind::unary_plus ? token_kind::add : token_kind::subtract;
            } else if ((pk == token_kind::decimal_literal && t.kind >= token_kind::identifier) ||
                       (t.kind == token_kind::open_paren &&
                        (pk == token_kind::decimal_literal || pk == token_kind::close_paren))) {
                out.push_back(token{"*", token_kind::implicit_multiply, t.position});
            }
            if (pk == token_kind::close_paren && (is_operand_kind(t.kind) || is_function_kind(t.kind)))
                throw calculator_error(messages::operator_after_paren, t.position - 1, 1);
        }
        out.push_back(t);
    }
}

void prepare_tokens(std::vector<token>& tokens, const user_function_list& functions) {
    std::vector<token> out;
    prepare_tokens(tokens, functions, out);
    tokens.swap(out);
}

namespace {

constexpr std::int32_t paren_level = 1000;

std::int32_t level_of(std::int32_t kind) {
    if (is_operator_kind(kind))
        return operator_table[static_cast<std::size_t>(kind)].level;
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
                             operator_table[static_cast<std::size_t>(top.kind)].right_associative);
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
