// Runs the built tarvik-cli and compares its output: the --batch machine
// protocol, its options, the expression arguments and the exit statuses.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <chrono>

namespace {

struct run_result {
    std::string out;
    std::string err;
    int status = -1;
};

std::string temp_path(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/tarvik-cli-test-" + std::to_string(getpid()) + "-" +
           name;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs "tarvik-cli ARGS < input"; args is shell text.
run_result run(const std::string& args, const std::string& input = "") {
    const std::string in_path = temp_path("in");
    const std::string err_path = temp_path("err");
    {
        std::ofstream in(in_path, std::ios::binary);
        in << input;
    }
    const std::string command = std::string("'") + TARVIK_CLI_PATH + "' " + args + " < '" + in_path +
                                "' 2> '" + err_path + "'";
    run_result result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "popen failed: " << command;
        return result;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = read_file(err_path);
    std::remove(in_path.c_str());
    std::remove(err_path.c_str());
    return result;
}

run_result batch(const std::string& input, const std::string& options = "") {
    return run("--batch " + options, input);
}

// ------------------------------------------------------------- --batch lines

TEST(batch, prints_one_ok_or_error_line_per_input_line) {
    run_result r = batch("1+2*3\n1/0\n2+\n1/3\n");
    EXPECT_EQ(r.out, "ok 7\n"
                     "error 1 1 除算が 0 で行われています。\n"
                     "error 1 0 不正な構文です。\n"
                     "ok 0.3333333333\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

TEST(batch, an_empty_line_is_an_empty_expression) {
    EXPECT_EQ(batch("\n\n").out, "error 0 0 式が空です。\nerror 0 0 式が空です。\n");
}

TEST(batch, an_error_without_position_prints_minus_one) {
    EXPECT_EQ(batch("1e300*1e300\n").out, "error -1 0 結果が有効範囲から外れました。\n");
}

TEST(batch, accepts_crlf_and_a_last_line_without_line_end) {
    EXPECT_EQ(batch("1+1\r\n2*3\r\n7").out, "ok 2\nok 6\nok 7\n");
    EXPECT_EQ(batch("1+1\r\n\r\n").out, "ok 2\nerror 0 0 式が空です。\n");
}

TEST(batch, empty_input_prints_nothing_and_succeeds) {
    run_result r = batch("");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
}

TEST(batch, an_unreadable_input_exits_with_1) {
    int status = std::system((std::string("'") + TARVIK_CLI_PATH + "' --batch < / > /dev/null 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(batch, ans_is_0_first_and_carries_the_last_answer) {
    EXPECT_EQ(batch("ans\n5\nans*2\nans+ans\n").out, "ok 0\nok 5\nok 10\nok 20\n");
}

TEST(batch, a_failed_line_leaves_ans) {
    EXPECT_EQ(batch("4\n1/0\nans\n").out, "ok 4\nerror 1 1 除算が 0 で行われています。\nok 4\n");
}

TEST(batch, variables_carry_over_and_assignments_before_an_error_stay) {
    EXPECT_EQ(batch("x=3\nx*2\n").out, "ok 3\nok 6\n");
    // The assignment is completed before the division fails.
    run_result r = batch("(y=7)+1/0\ny\nans\n");
    EXPECT_EQ(r.out, "error 7 1 除算が 0 で行われています。\nok 7\nok 7\n");
}

TEST(batch, a_formatter_error_is_a_failed_line_and_leaves_ans) {
    run_result r = batch("5\n4294967296\nans\n", "--answer hex");
    EXPECT_EQ(r.out, "ok 0x5\nerror 0 0 16進数で表現できる範囲を超えました。\nok 0x5\n");
    // ...while an assignment in that line stays.
    EXPECT_EQ(batch("z=3e9\nz-2999999999\n", "--answer angle").out,
              "error 0 0 角度/時間表現できる範囲を超えました。\nok 1:00:00\n");
}

TEST(batch, a_nul_byte_is_quoted_in_the_whole_message) {
    EXPECT_EQ(batch(std::string("ab\0c\n", 5)).out, "error 2 1 文字 '\\x00' は認識できません。\n");
}

TEST(batch, nul_bytes_and_long_lines_do_not_crash) {
    std::string input = std::string("1+\0", 3) + "2\n";
    input += std::string(100000, '1') + "\n";
    input += "1" + std::string(500, '+') + "1\n";
    std::string sum = "1";
    for (int i = 0; i < 20000; ++i)
        sum += "+1";
    input += sum + "\n";
    input += "3\n";
    run_result r = batch(input);
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    int count = 0;
    std::string last;
    while (std::getline(lines, line)) {
        ++count;
        last = line;
        EXPECT_TRUE(line.rfind("ok ", 0) == 0 || line.rfind("error ", 0) == 0) << line;
    }
    EXPECT_EQ(count, 5);
    EXPECT_EQ(last, "ok 3");
    EXPECT_NE(r.out.find("ok 20001\n"), std::string::npos);
    // A control byte in a message prints as \xNN.
    EXPECT_EQ(r.out.find('\0'), std::string::npos);
}

TEST(batch, a_byte_that_does_not_convert_prints_as_hex) {
    // 0x80 is no CP932 character; the engine quotes it in its message.
    run_result r = batch("1+\x80\n");
    ASSERT_EQ(r.out.rfind("error 2 1 ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\\x80"), std::string::npos) << r.out;
    // A double-byte character is quoted whole, so it converts.
    EXPECT_EQ(batch("\x82\xa0\n").out, "error 0 1 文字 'あ' は認識できません。\n");
}

// ------------------------------------------------------------------ options

TEST(options, raw_prints_the_value_with_17_digits) {
    EXPECT_EQ(batch("1/3\n0.1+0.2\n1e300*10\n2\n", "--raw").out,
              "ok 0.33333333333333331\nok 0.30000000000000004\nok 1.0000000000000001e+301\nok 2\n");
    // ans is still rounded as the window shows it.
    EXPECT_EQ(batch("1/3\nans*3\n", "--raw").out, "ok 0.33333333333333331\nok 0.99999999989999999\n");
}

TEST(options, no_ans_precision_keeps_the_full_value) {
    EXPECT_EQ(batch("1/3\nans*3\n").out, "ok 0.3333333333\nok 0.9999999999\n");
    EXPECT_EQ(batch("1/3\nans*3\n", "--no-ans-precision").out, "ok 0.3333333333\nok 1\n");
}

TEST(options, precision_exp_and_comma) {
    EXPECT_EQ(batch("2/3\n", "--precision 3").out, "ok 0.667\n");
    EXPECT_EQ(batch("2.5\n", "--precision 0").out, "ok 3\n");
    EXPECT_EQ(batch("150\n100\n0.005\n", "--exp 3").out, "ok 1.5e2\nok 100\nok 5e-3\n");
    EXPECT_EQ(batch("1234567.891\n", "--comma --precision 3").out, "ok 1,234,567.891\n");
    // ans is the shown value without commas
    EXPECT_EQ(batch("1234567.891\nans\n", "--comma --precision 1").out, "ok 1,234,567.9\nok 1,234,567.9\n");
    EXPECT_EQ(batch("12345678901\n").out, "ok 1.2345678901e10\n");
}

TEST(options, answer_forms) {
    EXPECT_EQ(batch("1.51\n-1.5\n", "--answer angle").out, "ok 1:30:36\nok -1:30:00\n");
    EXPECT_EQ(batch("5\n-1\n", "--answer binary").out, "ok 0b101\nok 0b11111111111111111111111111111111\n");
    EXPECT_EQ(batch("8\n", "--answer octal").out, "ok 0o10\n");
    EXPECT_EQ(batch("255\n", "--answer hex").out, "ok 0xFF\n");
    EXPECT_EQ(batch("2.5\n", "--answer real").out, "ok 2.5\n");
    // radix forms: ans is the truncated 32-bit value
    EXPECT_EQ(batch("2.9\nans\n4294967295\nans\n", "--answer hex --raw").out,
              "ok 2.8999999999999999\nok 2\nok 4294967295\nok -1\n");
    // angle/time: ans is the value itself
    EXPECT_EQ(batch("1.51\nans\n", "--answer angle --raw").out, "ok 1.51\nok 1.51\n");
}

TEST(options, angle_modes) {
    EXPECT_EQ(batch("sin(90)\n").out, "ok 1\n");
    EXPECT_EQ(batch("sin(90)\n", "--angle degree").out, "ok 1\n");
    EXPECT_EQ(batch("sin(pi()/2)\n", "--angle radian").out, "ok 1\n");
    EXPECT_EQ(batch("sin(100)\n", "--angle grad").out, "ok 1\n");
}

TEST(options, functions_are_added_in_order) {
    EXPECT_EQ(
        batch("cube(2)\nsq(ans)\n", "--function 'sq(x)=x*x' --function 'cube(x)=x*sq(x)//third power'").out,
        "ok 8\nok 64\n");
}

TEST(options, a_rejected_function_prints_one_error_line_and_exits_with_2) {
    run_result r = batch("1\n2\n", "--function 'sq(x)=x*x' --function 'bad'");
    EXPECT_EQ(r.out, "error 0 0 関数定義に '=' がありません。\n");
    EXPECT_EQ(r.status, 2);
    r = batch("1\n", "--function '1x(a)=a'");
    EXPECT_EQ(r.out, "error 1 0 '1' は関数名として利用できません。\n");
    EXPECT_EQ(r.status, 2);
}

TEST(options, usage_errors_exit_with_2) {
    for (const char* args : {"--bogus", "--precision 16", "--precision x", "--exp 1", "--exp 16",
                             "--angle turn", "--answer roman", "--angle", "--batch 1+1"}) {
        run_result r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("tarvik-cli: "), std::string::npos) << args;
    }
}

TEST(options, help_explains_the_protocol) {
    run_result r = run("--help");
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"--batch", "--raw", "--function", "--angle", "--answer", "--precision", "--exp",
                             "--comma", "--no-ans-precision", "error <position> <length> <message>",
                             "Examples:", "error 1 1 除算が 0 で行われています。"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

// --------------------------------------------------------- expression arguments

TEST(arguments, print_each_answer_on_its_own_line) {
    run_result r = run("'1+2*3' 'ans/2' 'x=5' 'x*ans'");
    EXPECT_EQ(r.out, "7\n3.5\n5\n25\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(run("-5+3").out, "-2\n");
    EXPECT_EQ(run("-- --5").out, "5\n");
    EXPECT_EQ(run("--answer hex 255 -1").out, "0xFF\n0xFFFFFFFF\n");
}

TEST(arguments, an_error_prints_message_expression_and_marker_and_exits_with_1) {
    run_result r = run("'2*3' '10/0' 'ans+1'");
    EXPECT_EQ(r.out, "6\n7\n");
    EXPECT_EQ(r.err, "除算が 0 で行われています。\n  10/0\n    ^\n");
    EXPECT_EQ(r.status, 1);
    r = run("'1e300*1e300'");
    EXPECT_EQ(r.err, "結果が有効範囲から外れました。\n  1e300*1e300\n");
    EXPECT_EQ(r.status, 1);
}

TEST(arguments, options_may_stand_anywhere_before_a_double_dash) {
    struct {
        const char* args;
        const char* out;
    } cases[] = {{"1/3 --precision 3", "0.333\n"},
                 {"255 --answer hex 16", "0xFF\n0x10\n"},
                 {"1/3 -- --precision", "0.3333333333\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(run(c.args).out, c.out) << c.args;
    EXPECT_EQ(run("1/3 -- --precision").err, "変数 'precision' は定義されていません。\n  --precision\n    ^^^^^^^^^\n");
}

// Typed UTF-8 reaches the engine in its code page, full-width digits and
// operators as ASCII; error markers stand under the characters as the
// terminal shows them, two columns for a wide one.
TEST(arguments, typed_text_is_read_as_the_window_reads_it) {
    struct {
        const char* args;
        const char* out;
        const char* err;
    } cases[] = {
        {"'１２３＋４' '3×4−1' '８÷２－１'", "127\n11\n3\n", ""},
        {"'1+あ'", "", "文字 'あ' は認識できません。\n  1+あ\n    ^^\n"},
        {"'角度*(2+'", "", "文字 '角' は認識できません。\n  角度*(2+\n  ^^\n"},
        {"'1+😀'", "", "文字 '〓' は認識できません。\n  1+〓\n    ^^\n"},
        {"\"1+$(printf '\\343')\" 2", "2\n", "文字 '〓' は認識できません。\n  1+〓\n    ^^\n"},
    };
    for (const auto& c : cases) {
        const run_result r = run(c.args);
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
    EXPECT_EQ(run("", "１２３＋４\n").out, "127\n");
}

TEST(arguments, standard_input_that_is_not_a_terminal_is_read_line_by_line) {
    run_result r = run("", "1+1\nans*3\n");
    EXPECT_EQ(r.out, "2\n6\n");
    EXPECT_EQ(r.status, 0);
}

// ------------------------------------------------------------ the prompt

// The prompt in a terminal of its own (tmux), typed into as a user does.
class terminal {
public:
    terminal() : server_("tarvik-cli-test-" + std::to_string(getpid())) {
        tmux("new-session -d -x 80 -y 24 \"env LANG=C.UTF-8 '" + std::string(TARVIK_CLI_PATH) +
             "'; echo ended \\$?; sleep 600\"");
    }
    ~terminal() { tmux("kill-server"); }
    terminal(const terminal&) = delete;
    terminal& operator=(const terminal&) = delete;

    static bool available() { return std::system("tmux -V > /dev/null 2>&1") == 0; }
    void keys(const std::string& keys) { tmux("send-keys -t 0 " + keys); }
    // Waits (at most ten seconds) for a line of the screen to read line.
    bool shows(const std::string& line) {
        for (int i = 0; i < 200; ++i) {
            if (("\n" + screen()).find("\n" + line + "\n") != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << "no line '" << line << "' on the screen:\n" << screen();
        return false;
    }

private:
    int tmux(const std::string& arguments) {
        return std::system(("tmux -L " + server_ + " -f /dev/null " + arguments + " > /dev/null 2>&1").c_str());
    }
    std::string screen() {
        std::string text;
        std::FILE* pipe = popen(("tmux -L " + server_ + " capture-pane -p -t 0").c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while (pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        if (pipe)
            pclose(pipe);
        return text;
    }
    std::string server_;
};

TEST(prompt, recalls_and_edits_earlier_lines_and_ends_on_quit) {
    if (!terminal::available())
        GTEST_SKIP() << "no tmux";
    terminal t;
    t.keys("-l '1+2'");
    t.keys("Enter");
    ASSERT_TRUE(t.shows("3"));
    t.keys("Up BSpace");
    t.keys("-l '５'");
    t.keys("Enter");
    ASSERT_TRUE(t.shows("6"));
    t.keys("-l quit");
    t.keys("Enter");
    EXPECT_TRUE(t.shows("ended 0"));
}

} // namespace
