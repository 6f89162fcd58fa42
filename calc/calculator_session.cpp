#include "calc/calculator_session.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "calc/ans_replacement.h"
#include "calc/history_file.h"
#include "calc/user_function_loader.h"
#include "calc/variable_file.h"
#include "engine/calculator_error.h"
#include "engine/formatter.h"
#include "engine/setting_range.h"

namespace {

std::string without_commas(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}

shown_answer error_shown(const cal::calculator_error& error) {
    shown_answer result;
    result.text = error.message();
    result.look = answer_look::error;
    result.error_position = error.position;
    result.error_length = error.length;
    return result;
}

session_settings usable(session_settings values) {
    // Enums read from a hand-edited file may hold any number.
    values.answer.answer_mode = cal::answer_form_from_number(
        static_cast<std::int32_t>(values.answer.answer_mode));
    values.angle_mode = cal::angle_unit_from_number(static_cast<std::int32_t>(values.angle_mode));
    values.answer.precision = cal::precision_range.usable(values.answer.precision);
    values.answer.exp_translate = cal::exponent_range.usable(values.answer.exp_translate);
    return values;
}

} // namespace

calculator_session::calculator_session() : calculator_session(session_settings{}) {}

calculator_session::calculator_session(const session_settings& values) : settings_(usable(values)) {
    engine_.angle_mode = settings_.angle_mode;
    reset_ans();
}

void calculator_session::configure(const session_settings& values) {
    settings_ = usable(values);
    engine_.angle_mode = settings_.angle_mode;
}

std::size_t calculator_session::define_functions(const std::vector<std::string>& texts) {
    return define_user_functions(engine_, texts);
}

std::optional<shown_answer> calculator_session::add_function(std::string_view text) {
    try {
        engine_.add_user_function(text);
        return std::nullopt;
    } catch (const cal::calculator_error& error) {
        return error_shown(error);
    }
}

double calculator_session::ans() const {
    double value = 0.0;
    engine_.get_variable("ans", value);
    return value;
}

void calculator_session::reset_ans() { engine_.set_variable("ans", 0.0); }

bool calculator_session::load_history(const std::string& path) { return ::load_history(path, history_); }

bool calculator_session::load_variables(const std::string& path) {
    const bool loaded = ::load_variables(path, engine_);
    reset_ans();
    return loaded;
}

void calculator_session::load_history(std::FILE* in) {
    if (in)
        ::load_history(in, history_);
}

void calculator_session::load_variables(std::FILE* in) {
    if (in)
        ::load_variables(in, engine_);
    reset_ans();
}

bool calculator_session::save_history(text_file_writer& file) const { return ::save_history(file, history_); }

// The values are kept as the list shows them.
bool calculator_session::save_variables(text_file_writer& file) const {
    return ::save_variables(file, engine_);
}

shown_answer calculator_session::shown(double value, answer_look look) const {
    shown_answer result;
    result.text = cal::format_answer(value, settings_.answer);
    result.look = look;
    result.value = value;
    return result;
}

shown_answer calculator_session::commit(std::string_view expression) {
    try {
        const double value = engine_.calculate(expression);
        shown_answer result = shown(value, answer_look::answer);
        state_ = committed;
        std::string entry = settings_.replace_ans ? replace_ans(expression, ans_text_)
                                                  : std::string(expression);
        history_.add(std::move(entry), result.text);
        ans_text_ = without_commas(result.text);
        engine_.set_variable("ans", cal::ans_value(value, result.text, settings_.answer));
        note_lists_changed();
        return result;
    } catch (const cal::calculator_error& error) {
        state_ = eval_failed;
        note_lists_changed();
        return error_shown(error);
    }
}

std::optional<shown_answer> calculator_session::edit(std::string_view expression) {
    state_ = edited;
    if (!settings_.live_preview)
        return std::nullopt;
    // A copy, so that an unfinished assignment changes nothing.
    cal::calculator trial = engine_;
    try {
        return shown(trial.calculate(expression), answer_look::preview);
    } catch (const cal::calculator_error&) {
        shown_answer nothing;
        nothing.look = answer_look::unchanged;
        return nothing;
    }
}

std::optional<shown_answer> calculator_session::change_answer_form(cal::answer_form form) {
    settings_.answer.answer_mode = cal::answer_form_from_number(static_cast<std::int32_t>(form));
    if (state_ == eval_failed)
        return std::nullopt;
    try {
        return shown(ans(), answer_look::answer);
    } catch (const cal::calculator_error& error) {
        state_ = format_failed;
        return error_shown(error);
    }
}

void calculator_session::change_angle_mode(cal::angle_unit unit) {
    state_ = edited;
    settings_.angle_mode = cal::angle_unit_from_number(static_cast<std::int32_t>(unit));
    engine_.angle_mode = settings_.angle_mode;
}

void calculator_session::on_lists_changed(std::function<void()> changed) {
    lists_changed_ = std::move(changed);
}

void calculator_session::note_lists_changed() const {
    if (lists_changed_)
        lists_changed_();
}

void calculator_session::caret_moved() { state_ = edited; }

void calculator_session::delivery_failed() { state_ = eval_failed; }

bool calculator_session::continues_answer(unsigned character) const {
    return state_ == committed && operator_continues_answer(character);
}

// ------------------------------------------------------------------- lists

std::vector<std::string> calculator_session::list_rows(list_kind kind) const {
    std::vector<std::string> rows;
    if (kind == history_list) {
        for (const history_entry& entry : history_)
            rows.push_back(entry.expression + " = " + entry.answer);
        return rows;
    }
    for (const auto& [name, value] : engine_.variables)
        rows.push_back(
            name + " = " +
            cal::format_real(value, settings_.answer.precision, settings_.answer.exp_translate, false));
    return rows;
}

bool calculator_session::has_entry(list_kind kind, std::size_t index) const {
    return index < (kind == history_list ? history_.size() : engine_.variables.size());
}

std::optional<history_entry> calculator_session::pick_history(std::size_t index) {
    if (!has_entry(history_list, index))
        return std::nullopt;
    state_ = edited;
    return history_[index];
}

std::optional<std::string> calculator_session::variable_name(std::size_t index) const {
    if (!has_entry(variable_list, index))
        return std::nullopt;
    return std::next(engine_.variables.begin(), static_cast<std::ptrdiff_t>(index))->first;
}

bool calculator_session::delete_entries(list_kind kind, std::size_t index, bool all) {
    if (!all && !has_entry(kind, index))
        return false;
    if (kind == history_list) {
        if (all)
            history_.clear();
        else
            history_.erase(index);
    } else if (all) {
        engine_.clear_variables();
    } else {
        engine_.erase_variable(*variable_name(index));
    }
    note_lists_changed();
    return true;
}
