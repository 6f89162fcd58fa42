#pragma once
#include <cstdio>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/answer_state.h"
#include "calc/history_store.h"
#include "calc/list_kind.h"
#include "calc/text_file_writer.h"
#include "engine/answer_format.h"
#include "engine/calculator.h"

// The settings the calculation follows, as plain values; the window fills
// them from its settings record, tarvik-cli from its command line. A number
// out of its range (engine/setting_range.h) falls back to its default.
struct session_settings {
    cal::answer_options answer; // answer form, precision, commas, Ans rounding
    cal::angle_unit angle_mode = cal::angle_unit::degree;
    bool replace_ans = true;   // history keeps "ans" replaced by its text
    bool live_preview = false; // evaluate while the text is typed
};

// How the answer text is to be drawn.
enum class answer_look {
    answer,    // a committed answer or Ans in a new form
    preview,   // the value of the text being typed
    error,     // a calculator error's message
    unchanged, // keep the colour the display has (a failed preview's empty text)
};

// What the answer display is to show.
struct shown_answer {
    std::string text; // the answer, or the error's message (CP932)
    answer_look look = answer_look::answer;
    // The characters of the expression to emphasise: -1 when there are none.
    std::int32_t error_position = -1;
    std::int32_t error_length = 0;
    double value = 0; // the evaluated value, when look is answer

    bool failed() const { return look == answer_look::error; }
};

// The calculator behind a front end: the engine with its variables and user
// functions, the history, Ans and its text, and the answer state, which
// decides what Enter does. Every operation returns what is to be shown; no
// window is touched, so the window and tarvik-cli commit by the same rule.
class calculator_session {
public:
    calculator_session();
    explicit calculator_session(const session_settings& values);

    // Takes new settings at once: angle unit, answer form, precision,
    // exponent digits, commas, Ans rounding, Ans replacement and preview. A
    // value out of its range falls back to its default. What is shown and the
    // answer state change only through the mode changes below.
    void configure(const session_settings& values);
    // Replaces the user functions; a text the engine refuses is skipped.
    // Returns the number skipped.
    std::size_t define_functions(const std::vector<std::string>& texts);
    // Adds one user function; when the engine refuses the text, the error to
    // show (its position points into the text).
    std::optional<shown_answer> add_function(std::string_view text);

    // Enter on an edited text: evaluates on the engine itself, so assignments
    // take effect (and stay when a later part fails). On success the answer
    // goes into the history (with "ans" replaced when that is on), its text
    // without commas becomes the Ans text and "ans" takes the value (rounded
    // as shown when Ans rounding is on); the state becomes committed. On an
    // error the state becomes eval_failed and history and Ans stay.
    shown_answer commit(std::string_view expression);

    // The text changed: the state becomes edited and, when live preview is on,
    // the text is evaluated on a copy of the engine, so an unfinished
    // assignment changes nothing. Nothing to show when preview is off; a
    // failed preview empties the display.
    std::optional<shown_answer> edit(std::string_view expression);

    // A new answer form: Ans is shown in it, unless the last Enter failed
    // (its message stays: nothing to show). A value the form cannot show
    // makes the state format_failed.
    std::optional<shown_answer> change_answer_form(cal::answer_form form);
    // A new angle unit: the next Enter evaluates again.
    void change_angle_mode(cal::angle_unit unit);

    // The caret moved sideways in the expression: the user is about to edit
    // the committed text, so the next Enter evaluates again.
    void caret_moved();
    // The answer could not be delivered and a message stands in its place:
    // like a failed Enter, the next Enter does nothing until the text is
    // edited, so the message is never sent.
    void delivery_failed();
    // Whether typing the character now continues the committed answer as
    // "ans" followed by it (an operator typed after a commit), rather than
    // starting a new expression.
    bool continues_answer(unsigned character) const;

    // The rows of a list as the popup shows them: history newest first,
    // variables in name order.
    std::vector<std::string> list_rows(list_kind kind) const;
    bool has_entry(list_kind kind, std::size_t index) const;
    // A history entry picked from the list: the text becomes edited again.
    std::optional<history_entry> pick_history(std::size_t index);
    // The name of the index-th variable.
    std::optional<std::string> variable_name(std::size_t index) const;
    // Deletes one entry (or all of the list); false when there is no such entry.
    bool delete_entries(list_kind kind, std::size_t index, bool all);

    // The history and variable files ("history.txt", "var.txt"). Loading
    // adds to what the session holds; false when the file does not open. Ans
    // starts from 0 on every run, whatever the variable file kept. Saving
    // writes the whole list through the writer; false when it failed.
    bool load_history(const std::string& path);
    bool load_variables(const std::string& path);
    // The same from files the caller opened (through the wide API on
    // Windows); null for a file that did not open.
    void load_history(std::FILE* in);
    void load_variables(std::FILE* in);
    bool save_history(text_file_writer& file) const;
    bool save_variables(text_file_writer& file) const;
    // Called whenever the history or the variables may have changed (a
    // commit, even a failed one, whose assignments stay; a deletion): the
    // point where whoever keeps the files decides to save them.
    void on_lists_changed(std::function<void()> changed);

    answer_state state() const { return state_; }
    const session_settings& current_settings() const { return settings_; }
    const history_store& history() const { return history_; }
    const cal::calculator& engine() const { return engine_; }
    const std::string& ans_text() const { return ans_text_; }
    double ans() const;

private:
    shown_answer shown(double value, answer_look look) const;
    void note_lists_changed() const;
    void reset_ans();

    cal::calculator engine_;
    history_store history_;
    session_settings settings_;
    answer_state state_ = committed;
    std::string ans_text_ = "0";
    std::function<void()> lists_changed_;
};
