#include "engine/user_function.h"

#include <algorithm>
#include <stdexcept>

#include "engine/calculator_error.h"
#include "engine/messages.h"
#include "engine/token.h"
#include "engine/tokenizer.h"

namespace cal {

namespace {

std::int32_t to_i32(std::size_t value) { return static_cast<std::int32_t>(value); }

// Skips blanks, then recognises one token of head.
bool next_token(std::string_view head, std::size_t& cursor, token& result) {
    while (cursor < head.size() && is_blank(head[cursor]))
        ++cursor;
    return recognize_token(head, cursor, result);
}

// Only the head up to "(" is read character by character, so an unreadable
// character is always part of the name.
[[noreturn]] void bad_character(std::size_t offset) {
    throw calculator_error(messages::definition_bad_character, to_i32(offset), 1, definition_part::name);
}

} // namespace

void user_function::parse_definition(std::string_view text) {
    name.clear();
    definition.clear();
    description.clear();
    parameters.clear();

    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        throw calculator_error(messages::definition_without_equals, 0, 0, definition_part::definition);
    std::string_view body = text.substr(equals + 1);
    std::string_view head = text.substr(0, equals);
    std::string_view new_definition = body;
    std::string_view new_description;
    if (std::size_t slashes = body.find("//"); slashes != std::string_view::npos) {
        new_definition = body.substr(0, slashes);
        new_description = body.substr(slashes + 2);
    }

    std::size_t cursor = 0;
    token t;
    if (!next_token(head, cursor, t))
        bad_character(cursor);
    if (t.kind != token_kind::function_name) {
        std::string message = messages::bad_function_name_prefix;
        message += t.text;
        message += messages::bad_function_name_suffix;
        throw calculator_error(message, 1, 0, definition_part::name);
    }
    const std::string_view new_name = t.text;
    if (!next_token(head, cursor, t))
        bad_character(cursor);
    if (t.kind != token_kind::open_paren)
        throw calculator_error(messages::bad_definition, 0, 0, definition_part::name);

    std::vector<std::string> new_parameters;
    while (true) {
        next_token(head, cursor, t); // on failure t stays the last recognised token
        if (t.kind == token_kind::close_paren)
            break;
        if (t.kind != token_kind::identifier) {
            std::string message = messages::bad_parameter_prefix;
            message += t.text;
            message += messages::bad_parameter_suffix;
            throw calculator_error(message, 2, 0, definition_part::parameters);
        }
        new_parameters.emplace_back(t.text);
        next_token(head, cursor, t);
        if (t.kind == token_kind::close_paren)
            break;
        if (t.kind != token_kind::comma)
            throw calculator_error(messages::bad_definition, 0, 0, definition_part::parameters);
    }

    name.assign(new_name);
    definition.assign(new_definition);
    description.assign(new_description);
    parameters = std::move(new_parameters);
}

const user_function& user_function_list::at(size_type index) const {
    if (index >= size())
        throw std::out_of_range("user_function_list::at");
    return (*this)[index];
}

namespace {

std::string lower_case(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

} // namespace

void user_function_list::push_back(user_function function) {
    if (!items_) {
        items_ = std::make_shared<store>();
    } else if (!removed_.empty() || items_.use_count() > 1) {
        user_function_list copy;
        for (const auto& f : *this)
            copy.push_back(f);
        *this = std::move(copy);
    }
    items_->by_name[lower_case(function.name)].push_back(items_->functions.size());
    items_->functions.push_back(std::move(function));
}

user_function_list::size_type user_function_list::find(std::string_view name) const {
    if (!items_)
        return npos;
    const auto entry = items_->by_name.find(lower_case(name));
    if (entry == items_->by_name.end())
        return npos;
    for (std::size_t base : entry->second) {
        const auto hidden_before = std::lower_bound(removed_.begin(), removed_.end(), base);
        if (hidden_before == removed_.end() || *hidden_before != base)
            return base - static_cast<std::size_t>(hidden_before - removed_.begin());
    }
    return npos;
}

user_function_list user_function_list::without(size_type k) const {
    user_function_list result;
    result.items_ = items_;
    result.removed_.reserve(removed_.size() + 1);
    result.removed_ = removed_;
    const std::size_t base = base_index(k);
    result.removed_.insert(std::lower_bound(result.removed_.begin(), result.removed_.end(), base), base);
    return result;
}

} // namespace cal
