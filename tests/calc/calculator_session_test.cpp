// The calculator behind the window and tarvik-cli: what Enter, typing, the
// mode commands and the lists do to the answer state, the history and Ans.
#include "calc/calculator_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/sjis.h"

namespace {

using tweak = std::function<void(session_settings&)>;

calculator_session session_with(const tweak& change = {}) {
    session_settings values;
    if (change)
        change(values);
    calculator_session session(values);
    session.change_angle_mode(session.current_settings().angle_mode);
    session.change_answer_form(session.current_settings().answer.answer_mode);
    return session;
}

bool has_variable(const calculator_session& session, const char* name) {
    double ignored = 0;
    return session.engine().get_variable(name, ignored);
}

struct commit_case {
    const char* name;
    tweak change;
    std::vector<const char*> expressions; // committed in order
    const char* shown;                    // the answer of the last one
    const char* history_expression;       // the newest history entry
    const char* ans_text;
    double ans;
};

class commit_cases : public testing::TestWithParam<commit_case> {};

TEST_P(commit_cases, show_the_answer_and_keep_history_and_ans) {
    const commit_case& c = GetParam();
    calculator_session session = session_with(c.change);
    shown_answer last;
    for (const char* expression : c.expressions)
        last = session.commit(expression);
    EXPECT_EQ(last.look, answer_look::answer);
    EXPECT_EQ(last.text, c.shown);
    EXPECT_EQ(session.state(), committed);
    ASSERT_EQ(session.history().size(), c.expressions.size());
    EXPECT_EQ(session.history()[0].expression, c.history_expression);
    EXPECT_EQ(session.history()[0].answer, c.shown);
    EXPECT_EQ(session.ans_text(), c.ans_text);
    EXPECT_DOUBLE_EQ(session.ans(), c.ans);
}

INSTANTIATE_TEST_SUITE_P(
    cases, commit_cases,
    testing::Values(
        commit_case{"plain", {}, {"1+2*3"}, "7", "1+2*3", "7", 7.0},
        commit_case{"comma_kept_in_history_not_in_ans",
                    [](session_settings& s) { s.answer.comma = true; },
                    {"1234"},
                    "1,234",
                    "1234",
                    "1234",
                    1234.0},
        commit_case{"ans_replaced", {}, {"12", "ans*2"}, "24", "12*2", "24", 24.0},
        commit_case{"ans_after_number_wrapped", {}, {"12", "2ans"}, "24", "2(12)", "24", 24.0},
        commit_case{
            "names_containing_ans_untouched", {}, {"12", "answer=1", "answer+1"}, "2", "answer+1", "2", 2.0},
        commit_case{"replacement_off",
                    [](session_settings& s) { s.replace_ans = false; },
                    {"12", "ans*2"},
                    "24",
                    "ans*2",
                    "24",
                    24.0},
        commit_case{"ans_rounded_to_shown_precision",
                    [](session_settings& s) { s.answer.precision = 3; },
                    {"2/3"},
                    "0.667",
                    "2/3",
                    "0.667",
                    0.667},
        commit_case{"ans_unrounded",
                    [](session_settings& s) {
                        s.answer.precision = 3;
                        s.answer.ans_precision = false;
                    },
                    {"2/3"},
                    "0.667",
                    "2/3",
                    "0.667",
                    2.0 / 3.0},
        commit_case{"hex_ans_truncated",
                    [](session_settings& s) { s.answer.answer_mode = cal::answer_form::hexadecimal; },
                    {"7/2"},
                    "0x3",
                    "7/2",
                    "0x3",
                    3.0},
        commit_case{"radian_angles",
                    [](session_settings& s) { s.angle_mode = cal::angle_unit::radian; },
                    {"cos(0)*2"},
                    "2",
                    "cos(0)*2",
                    "2",
                    2.0}),
    [](const testing::TestParamInfo<commit_case>& test) { return std::string(test.param.name); });

TEST(calculator_session, the_history_keeps_its_limit) {
    calculator_session session = session_with();
    for (int i = 0; i <= static_cast<int>(HISTORY_LIMIT); ++i)
        session.commit(std::to_string(i));
    ASSERT_EQ(session.history().size(), HISTORY_LIMIT);
    EXPECT_EQ(session.history()[HISTORY_LIMIT - 1].expression, "1");
}

// A failed Enter shows the engine's message with the characters to mark and
// leaves history, Ans and its text as they were; assignments completed before
// the error stay.
struct failed_commit_case {
    const char* name;
    const char* expression;
    const char* message; // UTF-8
    std::int32_t position;
    std::int32_t length;
};

class failed_commit_cases : public testing::TestWithParam<failed_commit_case> {};

TEST_P(failed_commit_cases, keep_history_and_ans) {
    const failed_commit_case& c = GetParam();
    calculator_session session = session_with();
    session.commit("3");
    session.commit("y=4");
    const shown_answer shown = session.commit(c.expression);
    EXPECT_EQ(shown.look, answer_look::error);
    EXPECT_EQ(shown.text, sjis(c.message));
    EXPECT_EQ(shown.error_position, c.position);
    EXPECT_EQ(shown.error_length, c.length);
    EXPECT_EQ(session.state(), eval_failed);
    EXPECT_EQ(session.history().size(), 2u);
    EXPECT_EQ(session.ans_text(), "4");
    EXPECT_EQ(session.ans(), 4.0);
    EXPECT_TRUE(has_variable(session, "y"));
}

INSTANTIATE_TEST_SUITE_P(cases, failed_commit_cases,
                         testing::Values(failed_commit_case{"empty", "", "式が空です。", 0, 0},
                                         failed_commit_case{"unfinished", "2*3/", "不正な構文です。", 3, 0},
                                         failed_commit_case{"unknown_function", "1+foo(2)",
                                                            "関数 'foo' は定義されていません。", 2, 3}),
                         [](const testing::TestParamInfo<failed_commit_case>& test) {
                             return std::string(test.param.name);
                         });

TEST(calculator_session, an_assignment_before_a_failing_part_stays) {
    calculator_session session = session_with();
    EXPECT_TRUE(session.commit("q=2,1/").failed());
    double q = 0;
    ASSERT_TRUE(session.engine().get_variable("q", q));
    EXPECT_EQ(q, 2.0);
}

// Typing: the state becomes edited; the preview runs on a copy of the engine.
struct edit_case {
    const char* name;
    bool live_preview;
    const char* expression;
    bool shows;       // false: the display keeps its text
    const char* text; // what it shows
    answer_look look;
};

class edit_cases : public testing::TestWithParam<edit_case> {};

TEST_P(edit_cases, preview_without_assigning) {
    const edit_case& c = GetParam();
    calculator_session session = session_with([&](session_settings& s) { s.live_preview = c.live_preview; });
    session.commit("8");
    const std::optional<shown_answer> shown = session.edit(c.expression);
    EXPECT_EQ(session.state(), edited);
    ASSERT_EQ(shown.has_value(), c.shows);
    if (shown) {
        EXPECT_EQ(shown->text, c.text);
        EXPECT_EQ(shown->look, c.look);
    }
    EXPECT_FALSE(has_variable(session, "x"));
    EXPECT_EQ(session.ans(), 8.0);
    EXPECT_EQ(session.history().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    cases, edit_cases,
    testing::Values(edit_case{"assignment_previewed", true, "x=5", true, "5", answer_look::preview},
                    edit_case{"ans_used", true, "x=ans+1", true, "9", answer_look::preview},
                    edit_case{"unfinished_empties", true, "2*(3+", true, "", answer_look::unchanged},
                    edit_case{"preview_off", false, "x=5", false, "", answer_look::answer}),
    [](const testing::TestParamInfo<edit_case>& test) { return std::string(test.param.name); });

TEST(calculator_session, the_assignment_previewed_takes_effect_on_enter) {
    calculator_session session = session_with([](session_settings& s) { s.live_preview = true; });
    session.edit("x=5");
    EXPECT_EQ(session.commit("x=5").text, "5");
    EXPECT_TRUE(has_variable(session, "x"));
}

// A new answer form shows Ans in it; with Ans rounding on, the rounded one.
struct answer_mode_case {
    const char* name;
    tweak change;
    const char* expression;          // committed first
    std::vector<std::int32_t> modes; // chosen in order
    const char* shown;               // after the last
    answer_look look;
    answer_state state;
};

class answer_mode_cases : public testing::TestWithParam<answer_mode_case> {};

TEST_P(answer_mode_cases, show_ans_in_the_new_form) {
    const answer_mode_case& c = GetParam();
    calculator_session session = session_with(c.change);
    const std::string failure = session.commit(c.expression).text;
    std::optional<shown_answer> shown;
    for (std::int32_t mode : c.modes)
        shown = session.change_answer_form(cal::answer_form_from_number(mode));
    const std::int32_t last = c.modes.back();
    EXPECT_EQ(session.current_settings().answer.answer_mode, cal::answer_form_from_number(last));
    EXPECT_EQ(session.state(), c.state);
    if (c.state == eval_failed) {
        EXPECT_FALSE(shown.has_value()) << "the message " << failure << " stays";
        return;
    }
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->look, c.look);
    EXPECT_EQ(shown->text, c.look == answer_look::error ? sjis(c.shown) : std::string(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    cases, answer_mode_cases,
    testing::Values(
        answer_mode_case{"hex", {}, "255", {4}, "0xFF", answer_look::answer, committed},
        answer_mode_case{"hex_then_binary", {}, "255", {4, 2}, "0b11111111", answer_look::answer, committed},
        answer_mode_case{"back_to_real", {}, "255", {4, 2, 0}, "255", answer_look::answer, committed},
        answer_mode_case{"rounded_ans",
                         [](session_settings& s) { s.answer.precision = 2; },
                         "10/3",
                         {1, 0},
                         "3.33",
                         answer_look::answer,
                         committed},
        answer_mode_case{"unrounded_ans",
                         [](session_settings& s) {
                             s.answer.precision = 2;
                             s.answer.ans_precision = false;
                         },
                         "10/3",
                         {3, 0},
                         "3.33",
                         answer_look::answer,
                         committed},
        answer_mode_case{"after_a_failed_enter", {}, "1/", {4}, "", answer_look::answer, eval_failed},
        answer_mode_case{"too_big_for_binary",
                         {},
                         "1e10",
                         {2},
                         "2進数で表現できる範囲を超えました。",
                         answer_look::error,
                         format_failed},
        answer_mode_case{
            "out_of_range_mode_is_real", {}, "1/4", {9}, "0.25", answer_look::answer, committed}),
    [](const testing::TestParamInfo<answer_mode_case>& test) { return std::string(test.param.name); });

TEST(calculator_session, enter_after_a_format_failure_needs_an_edit) {
    calculator_session session = session_with();
    session.commit("1e10");
    session.change_answer_form(cal::answer_form::binary);
    EXPECT_EQ(session.state(), format_failed);
    session.edit("1");
    EXPECT_EQ(session.commit("1").text, "0b1");
}

TEST(calculator_session, an_angle_unit_change_sets_the_engine_and_makes_enter_evaluate) {
    calculator_session session = session_with();
    session.commit("1");
    const std::int32_t modes[] = {1, 2, 0, 5};
    const std::int32_t expected[] = {1, 2, 0, 0};
    for (int i = 0; i < 4; ++i) {
        session.commit("1");
        session.change_angle_mode(cal::angle_unit_from_number(modes[i]));
        EXPECT_EQ(session.engine().angle_mode, cal::angle_unit_from_number(expected[i])) << modes[i];
        EXPECT_EQ(session.current_settings().angle_mode, cal::angle_unit_from_number(expected[i]))
            << modes[i];
        EXPECT_EQ(session.state(), edited) << modes[i];
    }
}

// A hand-edited settings file can hold any number: the session works with
// the default instead.
TEST(calculator_session, out_of_range_settings_fall_back_to_their_defaults) {
    calculator_session session = session_with([](session_settings& s) {
        s.answer.answer_mode = static_cast<cal::answer_form>(7);
        s.angle_mode = static_cast<cal::angle_unit>(5);
        s.answer.precision = 40;
        s.answer.exp_translate = 0;
    });
    const session_settings defaults;
    EXPECT_EQ(session.current_settings().answer.answer_mode, defaults.answer.answer_mode);
    EXPECT_EQ(session.current_settings().angle_mode, defaults.angle_mode);
    EXPECT_EQ(session.current_settings().answer.precision, defaults.answer.precision);
    EXPECT_EQ(session.current_settings().answer.exp_translate, defaults.answer.exp_translate);
    EXPECT_EQ(session.engine().angle_mode, cal::angle_unit::degree);
    EXPECT_EQ(session.commit("1/3").text, "0.3333333333");
    EXPECT_EQ(session.commit("1e12").text, "1e12");
}

TEST(calculator_session, a_user_function_the_engine_refuses_is_skipped) {
    calculator_session session = session_with();
    EXPECT_EQ(session.define_functions({"dbl(x)=2*x//", "bad(x=//", "sq(x)=x*x//"}), 1u);
    EXPECT_EQ(session.commit("dbl(3)+sq(4)").text, "22");
    session.define_functions({"sq(x)=x*x//"});
    EXPECT_TRUE(session.commit("dbl(1)").failed());
}

// ------------------------------------------------------------------- lists

calculator_session session_with_lists() {
    calculator_session session = session_with([](session_settings& s) { s.answer.precision = 3; });
    session.commit("2+3");
    session.commit("beta=1/3");
    session.commit("alpha=-2");
    return session;
}

TEST(calculator_session, list_rows_show_history_newest_first_and_variables_by_name) {
    const calculator_session session = session_with_lists();
    EXPECT_EQ(session.list_rows(history_list),
              (std::vector<std::string>{"alpha=-2 = -2", "beta=1/3 = 0.333", "2+3 = 5"}));
    EXPECT_EQ(session.list_rows(variable_list),
              (std::vector<std::string>{"alpha = -2", "ans = -2", "beta = 0.333"}));
}

struct pick_case {
    const char* name;
    list_kind kind;
    std::size_t index;
    const char* picked; // nullptr: no such row
};

class pick_cases : public testing::TestWithParam<pick_case> {};

TEST_P(pick_cases, give_the_entry_of_the_row) {
    const pick_case& c = GetParam();
    calculator_session session = session_with_lists();
    if (c.kind == history_list) {
        const std::optional<history_entry> entry = session.pick_history(c.index);
        ASSERT_EQ(entry.has_value(), c.picked != nullptr);
        if (entry) {
            EXPECT_EQ(entry->expression + " = " + entry->answer, c.picked);
        }
        // A pick makes the next Enter evaluate; a row that is not there changes nothing.
        EXPECT_EQ(session.state(), entry ? edited : committed);
        return;
    }
    const std::optional<std::string> name = session.variable_name(c.index);
    ASSERT_EQ(name.has_value(), c.picked != nullptr);
    if (name) {
        EXPECT_EQ(*name, c.picked);
    }
}

INSTANTIATE_TEST_SUITE_P(
    cases, pick_cases,
    testing::Values(pick_case{"newest_history", history_list, 0, "alpha=-2 = -2"},
                    pick_case{"oldest_history", history_list, 2, "2+3 = 5"},
                    pick_case{"history_past_the_end", history_list, 3, nullptr},
                    pick_case{"history_no_selection", history_list, static_cast<std::size_t>(-1), nullptr},
                    pick_case{"first_variable", variable_list, 0, "alpha"},
                    pick_case{"last_variable", variable_list, 2, "beta"},
                    pick_case{"variable_past_the_end", variable_list, 3, nullptr}),
    [](const testing::TestParamInfo<pick_case>& test) { return std::string(test.param.name); });

struct deletion_case {
    const char* name;
    list_kind kind;
    std::size_t index;
    bool all;
    bool deleted;
    std::vector<std::string> rows_left;
};

class deletion_cases : public testing::TestWithParam<deletion_case> {};

TEST_P(deletion_cases, remove_the_entries_the_rows_show) {
    const deletion_case& c = GetParam();
    calculator_session session = session_with_lists();
    EXPECT_EQ(session.delete_entries(c.kind, c.index, c.all), c.deleted);
    EXPECT_EQ(session.list_rows(c.kind), c.rows_left);
}

INSTANTIATE_TEST_SUITE_P(
    cases, deletion_cases,
    testing::Values(
        deletion_case{"one_history_entry", history_list, 1, false, true, {"alpha=-2 = -2", "2+3 = 5"}},
        deletion_case{"all_history", history_list, 0, true, true, {}},
        deletion_case{"history_past_the_end",
                      history_list,
                      3,
                      false,
                      false,
                      {"alpha=-2 = -2", "beta=1/3 = 0.333", "2+3 = 5"}},
        deletion_case{"one_variable", variable_list, 1, false, true, {"alpha = -2", "beta = 0.333"}},
        deletion_case{"all_variables", variable_list, 0, true, true, {}},
        deletion_case{"variable_past_the_end",
                      variable_list,
                      3,
                      false,
                      false,
                      {"alpha = -2", "ans = -2", "beta = 0.333"}}),
    [](const testing::TestParamInfo<deletion_case>& test) { return std::string(test.param.name); });

} // namespace
