#include "engine/evaluator.h"

#include <array>
#include <cmath>
#include <string>

#include "engine/builtin_functions.h"
#include "engine/calculator.h"
#include "engine/calculator_error.h"
#include "engine/evaluation_limits.h"
#include "engine/int_conversion.h"
#include "engine/messages.h"
#include "engine/parser.h"
#include "engine/tokenizer.h"

namespace cal {

bool out_of_range(double value) {
    switch (std::fpclassify(value)) {
    case FP_NAN:
    case FP_INFINITE:
    case FP_SUBNORMAL: return true;
    default: return false;
    }
}

namespace {

double shift_left(std::int32_t value, std::int32_t count) {
    auto bits = static_cast<std::uint32_t>(value) << (static_cast<std::uint32_t>(count) & 31u);
    return static_cast<double>(static_cast<std::int32_t>(bits));
}

double shift_right(std::int32_t value, std::int32_t count) {
    const auto n = static_cast<std::uint32_t>(count) & 31u;
    auto bits = static_cast<std::uint32_t>(value);
    bits = value < 0 ? ~(~bits >> n) : bits >> n;
    return static_cast<double>(static_cast<std::int32_t>(bits));
}

double boolean(bool b) { return b ? 1.0 : 0.0; }

class evaluation {
public:
    evaluation(calculator& calc, std::vector<stack_item>& stack) : calc_(calc), stack_(stack) {
        stack_.clear();
    }

    double run(const std::vector<token>& postfix) {
        for (const token& t : postfix) {
            if (is_operand_kind(t.kind)) {
                stack_.push_back({0.0, &t});
                continue;
            }
            if (t.kind == token_kind::assign)
                assign(t);
            else if (is_operator_kind(t.kind))
                apply_operator(t);
            else
                call_function(t);
            if (out_of_range(stack_.back().value))
                throw calculator_error(messages::result_out_of_range, -1, 0);
        }
        if (stack_.empty())
            throw calculator_error(messages::bad_syntax, 0, 0);
        return value_of(stack_.back());
    }

private:
    double value_of(const stack_item& item) const {
        return item.operand ? operand_value(*item.operand, calc_.variables) : item.value;
    }

    double pop_value() {
        stack_item item = stack_.back();
        stack_.pop_back();
        return value_of(item);
    }

    void assign(const token& t) {
        if (stack_.empty())
            throw calculator_error(messages::no_assignment_value, t.position, 1);
        double value = pop_value();
        if (stack_.empty() || !stack_.back().operand || stack_.back().operand->kind != token_kind::identifier)
            throw calculator_error(messages::assignment_not_variable, t.position, 1);
        if (out_of_range(value))
            throw calculator_error(messages::result_out_of_range, -1, 0);
        calc_.variables.set(stack_.back().operand->text, value);
        stack_.back() = {value, nullptr};
    }

    void apply_operator(const token& t) {
        using enum token_kind;
        if (stack_.empty())
            throw calculator_error(messages::bad_syntax, t.position, 0);
        const double right = pop_value();
        double result;
        switch (t.kind) {
        case unary_plus: stack_.push_back({right, nullptr}); return;
        case unary_minus: stack_.push_back({-right, nullptr}); return;
        case logical_not: stack_.push_back({boolean(right == 0), nullptr}); return;
        case bitwise_not: stack_.push_back({static_cast<double>(~to_int32(right)), nullptr}); return;
        default: break;
        }
        if (stack_.empty())
            throw calculator_error(messages::bad_syntax, t.position, 0);
        const double left = pop_value();
        switch (t.kind) {
        case power: result = std::pow(left, right); break;
        case multiply:
        case implicit_multiply: result = left * right; break;
        case divide:
            if (right == 0)
                throw calculator_error(messages::division_by_zero, t.position, 1);
            result = left / right;
            break;
        case remainder:
            if (right == 0)
                throw calculator_error(messages::remainder_by_zero, t.position, 1);
            result = std::fmod(left, right);
            break;
        case add: result = left + right; break;
        case subtract: result = left - right; break;
        case token_kind::shift_left: result = cal::shift_left(to_int32(left), to_int32(right)); break;
        case token_kind::shift_right: result = cal::shift_right(to_int32(left), to_int32(right)); break;
        case less: result = boolean(left < right); break;
        case greater: result = boolean(left > right); break;
        case less_equal: result = boolean(left <= right); break;
        case greater_equal: result = boolean(left >= right); break;
        case equal: result = boolean(left == right); break;
        case not_equal: result = boolean(left != right); break;
        case bit_and: result = static_cast<double>(to_int32(left) & to_int32(right)); break;
        case bit_xor: result = static_cast<double>(to_int32(left) ^ to_int32(right)); break;
        case bit_or: result = static_cast<double>(to_int32(left) | to_int32(right)); break;
        case logical_and: result = boolean(left != 0 && right != 0); break;
        case logical_or: result = boolean(left != 0 || right != 0); break;
        case comma:
            stack_.push_back({left, nullptr});
            result = right;
            break;
        default: result = 0; break;
        }
        stack_.push_back({result, nullptr});
    }

    void call_function(const token& t) {
        const int arg_count = function_arg_count(t.kind, calc_.user_functions);
        if (arg_count < 0 || stack_.size() < static_cast<std::size_t>(arg_count))
            throw calculator_error(messages::bad_syntax, t.position, 0);
        if (!is_user_function_kind(t.kind)) {
            std::array<double, 3> args{};
            for (int i = arg_count - 1; i >= 0; --i)
                args[static_cast<std::size_t>(i)] = pop_value();
            const builtin_function& function = builtin_function_table[builtin_row_of(t.kind)];
            stack_.push_back({function.compute(args.data(), calc_.angle_mode), nullptr});
            return;
        }
        const std::size_t k = user_function_index_of(t.kind);
        const user_function& function = calc_.user_functions[k];
        std::vector<double> args(static_cast<std::size_t>(arg_count));
        for (int i = arg_count - 1; i >= 0; --i)
            args[static_cast<std::size_t>(i)] = pop_value();
        calculator inner;
        inner.angle_mode = calc_.angle_mode;
        inner.user_functions = calc_.user_functions.without(k);
        for (std::size_t i = 0; i < args.size(); ++i)
            inner.variables.set(function.parameters[i], args[i]);
        double result;
        try {
            result = inner.calculate(function.definition);
        } catch (const evaluation_limit_error& e) {
            throw evaluation_limit_error(e.message(), t.position, static_cast<std::int32_t>(t.text.size()));
        } catch (const calculator_error& e) {
            std::string message = messages::user_function_error_prefix;
            message += t.text;
            message += messages::user_function_error_separator;
            message += e.what();
            message += messages::user_function_error_position;
            message += std::to_string(e.position);
            message += messages::user_function_error_suffix;
            throw calculator_error(message, t.position, static_cast<std::int32_t>(t.text.size()));
        }
        stack_.push_back({result, nullptr});
    }

    calculator& calc_;
    std::vector<stack_item>& stack_;
};

} // namespace

double evaluate_postfix(const std::vector<token>& postfix, calculator& calc, std::vector<stack_item>& stack) {
    evaluation e(calc, stack);
    return e.run(postfix);
}

double evaluate_postfix(const std::vector<token>& postfix, calculator& calc) {
    std::vector<stack_item> stack;
    stack.reserve(16);
    return evaluate_postfix(postfix, calc, stack);
}

} // namespace cal
