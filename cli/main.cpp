// tarvik-cli: Tarvik's calculation engine on the command line.
#include "cli/cli_options.h"
#include "cli/console_text.h"
#include "cli/line_reader.h"
#include "calc/calculator_session.h"

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>

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
// under the bytes it points at.
void print_error(const shown_answer& r, std::string_view expression) {
    cli::write_line(stderr, cli::message_for_output(r.text));
    std::string shown(expression);
    for (char& c : shown)
        if (c == '\0' || c == '\r' || c == '\n')
            c = ' ';
    cli::write_line(stderr, "  " + shown);
    if (r.error_position < 0)
        return;
    // One column per character: UTF-8 continuation bytes take none; a tab stays
    // a tab so that the marker lines up.
    std::string marker = "  ";
    auto position = static_cast<std::size_t>(r.error_position);
    for (std::size_t i = 0; i < position && i < expression.size(); ++i) {
        auto byte = static_cast<unsigned char>(expression[i]);
        if (byte == '\t')
            marker.push_back('\t');
        else if ((byte & 0xC0) != 0x80)
            marker.push_back(' ');
    }
    for (std::size_t i = expression.size(); i < position; ++i)
        marker.push_back(' ');
    std::size_t carets = 0;
    for (std::size_t i = position;
         i < position + static_cast<std::size_t>(r.error_length > 0 ? r.error_length : 0) && i < expression.size(); ++i)
        if ((static_cast<unsigned char>(expression[i]) & 0xC0) != 0x80)
            ++carets;
    marker.append(carets ? carets : 1, '^');
    cli::write_line(stderr, marker);
}

bool add_functions(calculator_session& session, const cli::cli_options& options) {
    for (const std::string& text : options.functions) {
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

int run_expressions(calculator_session& session, const cli::cli_options& options) {
    int status = 0;
    for (const std::string& expression : options.expressions) {
        const shown_answer r = commit(session, expression);
        if (!r.failed()) {
            cli::write_line(stdout, answer_text(r, options.raw));
        } else {
            std::fflush(stdout);
            print_error(r, expression);
            status = 1;
        }
    }
    return status;
}

int run_lines(calculator_session& session, const cli::cli_options& options) {
    const bool prompt = cli::stdin_is_terminal();
    if (prompt)
        std::fputs("Tarvik calculator. Enter an expression; end with Ctrl+D (Ctrl+Z Enter on Windows).\n",
                   stdout);
    cli::line_reader reader(stdin);
    std::string line;
    int status = 0;
    for (;;) {
        if (prompt) {
            std::fputs("> ", stdout);
            std::fflush(stdout);
        }
        if (!reader.next(line))
            break;
        if (prompt && line.empty())
            continue;
        const shown_answer r = commit(session, line);
        if (!r.failed()) {
            cli::write_line(stdout, answer_text(r, options.raw));
            std::fflush(stdout);
        } else {
            std::fflush(stdout);
            print_error(r, line);
            status = 1;
        }
    }
    if (prompt) {
        std::fputc('\n', stdout);
        return 0;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    cli::cli_options options;
    std::string error;
    if (!cli::parse_arguments(argc, argv, options, error)) {
        std::fprintf(stderr, "tarvik-cli: %s\nTry 'tarvik-cli --help'.\n", error.c_str());
        return 2;
    }
    if (options.mode == cli::run_mode::help) {
        // The text holds a Japanese message (CP932 here): print it line by line
        // like the messages.
        std::string_view help = cli::help_text();
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
