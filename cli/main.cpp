// tarvik-cli: Tarvik's calculation engine on the command line.
#include "cli/cli_options.h"
#include "cli/console_text.h"
#include "cli/line_reader.h"
#include "cli/prompt_reader.h"
#include "cli/terminal_input.h"
#include "calc/calculator_session.h"
#include "calc/half_width_input.h"

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A line that failed as a whole: the engine ran out of memory.
shown_answer out_of_memory() {
    shown_answer failed;
    failed.text = "out of memory";
    failed.look = answer_look::error;
    return failed;
}

// Every line is committed by the calculator window's own rule: evaluate
// (assignments take effect, and stay when a later part of the line fails),
// format by the answer form, then set "ans" (rounded as shown when Ans
// rounding is on). A failed evaluation or formatting leaves "ans" as it was.
shown_answer commit(calculator_session& session, std::string_view line) {
    try {
        return session.commit(line);
    } catch (const std::bad_alloc&) {
        return out_of_memory();
    }
}

std::optional<shown_answer> add_function(calculator_session& session, std::string_view text) {
    try {
        return session.add_function(text);
    } catch (const std::bad_alloc&) {
        return out_of_memory();
    }
}

session_settings settings_for(const cli::cli_options& options) {
    session_settings values;
    values.answer = options.answer;
    values.angle_mode = options.angle_mode;
    return values;
}

// "error <position> <length> <message>": the machine protocol's error line.
std::string protocol_error(const shown_answer& r) {
    return "error " + std::to_string(r.error_position) + " " + std::to_string(r.error_length) + " " +
           cli::message_for_output(r.text);
}

std::string answer_text(const shown_answer& r, bool raw) { return raw ? cli::raw_number(r.value) : r.text; }

// The human form of an error: the message, the expression and a marker line
// under the characters it points at.
void print_error(const shown_answer& r, std::string_view expression) {
    cli::write_line(stderr, cli::message_for_output(r.text));
    cli::write_line(stderr, "  " + cli::expression_for_output(expression));
    if (r.error_position >= 0)
        cli::write_line(stderr, "  " + cli::marker_for_output(expression, r.error_position, r.error_length));
}

// A line typed by the user as the engine reads it: in its code page, with
// full-width digits and operators made ASCII, as the calculator window
// takes typed text.
std::string expression_from(std::string_view typed, cli::text_source source) {
    return half_width_input(cli::engine_text(typed, source));
}

// Whether a line of the prompt asks to end it.
bool ends_prompt(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
    return line == "quit" || line == "exit";
}

bool add_functions(calculator_session& session, const cli::cli_options& options) {
    for (const std::string& typed : options.functions) {
        const std::string text = cli::engine_text(typed, cli::text_source::argument);
        if (const std::optional<shown_answer> error = add_function(session, text)) {
            if (options.mode == cli::run_mode::batch) {
                cli::set_binary_stdout(); // the protocol's lines end in LF on Windows too
                cli::write_line(stdout, protocol_error(*error));
            } else {
                std::fputs("tarvik-cli: --function: ", stderr);
                print_error(*error, text);
            }
            return false;
        }
    }
    return true;
}

int run_batch(calculator_session& session, const cli::cli_options& options) {
    cli::set_binary_stdin();
    cli::set_binary_stdout();
    cli::line_reader reader(stdin);
    std::string line;
    while (reader.next(line)) {
        const shown_answer r = commit(session, line);
        cli::write_line(stdout, !r.failed() ? "ok " + answer_text(r, options.raw) : protocol_error(r));
        std::fflush(stdout);
    }
    if (reader.failed()) {
        std::fputs("tarvik-cli: cannot read standard input\n", stderr);
        return 1;
    }
    return 0;
}

// Prints an answer or an error; false for an error.
bool print_answer(calculator_session& session, const cli::cli_options& options, std::string_view expression) {
    const shown_answer r = commit(session, expression);
    if (!r.failed()) {
        cli::write_line(stdout, answer_text(r, options.raw));
        std::fflush(stdout);
        return true;
    }
    std::fflush(stdout);
    print_error(r, expression);
    return false;
}

int run_expressions(calculator_session& session, const cli::cli_options& options) {
    int status = 0;
    for (const std::string& typed : options.expressions)
        if (!print_answer(session, options, expression_from(typed, cli::text_source::argument)))
            status = 1;
    return status;
}

// The interactive prompt: empty lines are skipped, "quit" or "exit" ends it.
int run_prompt(calculator_session& session, const cli::cli_options& options) {
    std::fputs("Tarvik calculator. Enter an expression; end with quit or Ctrl+D (Ctrl+Z Enter on Windows).\n",
               stdout);
    cli::prompt_reader reader;
    std::string line;
    while (reader.next(line)) {
        const std::string expression = expression_from(line, cli::text_source::standard_input);
        if (ends_prompt(expression))
            return 0;
        if (!expression.empty())
            print_answer(session, options, expression);
    }
    std::fputc('\n', stdout);
    return 0;
}

int run_lines(calculator_session& session, const cli::cli_options& options) {
    if (cli::stdin_is_terminal())
        return run_prompt(session, options);
    cli::line_reader reader(stdin);
    std::string line;
    int status = 0;
    while (reader.next(line))
        if (!print_answer(session, options, expression_from(line, cli::text_source::standard_input)))
            status = 1;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments = cli::typed_arguments(argc, argv);
    std::vector<char*> argument_pointers;
    for (std::string& argument : arguments)
        argument_pointers.push_back(argument.data());
    cli::cli_options options;
    std::string error;
    if (!cli::parse_arguments(argc, argument_pointers.data(), options, error)) {
        std::fprintf(stderr, "tarvik-cli: %s\nTry 'tarvik-cli --help'.\n", error.c_str());
        return 2;
    }
    if (options.mode == cli::run_mode::help) {
        // The text holds a Japanese message (CP932 here): print it line by line
        // like the messages.
        const std::string text = cli::help_text();
        std::string_view help = text;
        while (!help.empty()) {
            std::size_t end = help.find('\n');
            cli::write_line(stdout, cli::message_for_output(help.substr(0, end)));
            help = end == std::string_view::npos ? std::string_view() : help.substr(end + 1);
        }
        return 0;
    }
    calculator_session session(settings_for(options));
    if (!add_functions(session, options))
        return 2;
    switch (options.mode) {
    case cli::run_mode::batch: return run_batch(session, options);
    case cli::run_mode::expressions: return run_expressions(session, options);
    default: return run_lines(session, options);
    }
}
