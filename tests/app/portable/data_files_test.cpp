// "history.txt" and "var.txt": byte-exact formats, the line splitting rule,
// replacement that never loses the old file, and hostile files.
#include "calc/history_file.h"
#include "calc/history_store.h"
#include "calc/line_reader.h"
#include "calc/text_encoding.h"
#include "support/sjis.h"
#include "app/safe_file_writer.h"
#include "calc/variable_file.h"
#include "engine/calculator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// The formats written through the program's own writer, as the window saves them.
bool save_history(const std::string& target, const history_store& history) {
    safe_file_writer file(target);
    return save_history(file, history);
}

bool save_variables(const std::string& target, const cal::calculator& calc) {
    safe_file_writer file(target);
    return save_variables(file, calc);
}

// A fresh folder per test, removed afterwards.
class data_files_test : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("tarvik_data_") + info->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string path(const char* name) const { return (folder_ / name).string(); }

    static void write_bytes(const std::string& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    static std::string read_bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<history_entry> entries(const history_store& history) {
        return {history.begin(), history.end()};
    }

    fs::path folder_;
};

// ------------------------------------------------------------------ splitting

struct split_case {
    const char* line;
    const char* left;
    const char* right;
};

std::ostream& operator<<(std::ostream& out, const split_case& c) {
    return out << '"' << c.line << "\" -> \"" << c.left << "\" | \"" << c.right << '"';
}

class split_line_test : public testing::TestWithParam<split_case> {};

TEST_P(split_line_test, splits_at_the_last_space_or_equals_sign) {
    const auto& c = GetParam();
    const auto parts = split_line(c.line);
    EXPECT_EQ(parts.left, c.left);
    EXPECT_EQ(parts.right, c.right);
}

INSTANTIATE_TEST_SUITE_P(
    lines, split_line_test,
    testing::Values(split_case{"1+2 = 3", "1+2", "3"},         // as written
                    split_case{"3*4 = 1,234", "3*4", "1,234"}, // grouping commas stay
                    split_case{"x = y = 5", "x = y", "5"},     // the last " = " counts
                    split_case{"1+2  = 3", "1+2 ", "3"},       // trailing blank of the expression
                    split_case{"", "", ""},                    // empty line: " = "
                    split_case{"abc", "abc", "abc"},           // no separator: whole line both sides
                    split_case{"a=5", "a=5", "5"},             // separator before position 2
                    split_case{"=", "=", ""}, split_case{" ", " ", ""},
                    split_case{"x =5", "", "5"},     // p = 2: nothing on the left
                    split_case{"ab = ", "ab", ""})); // value missing

// ------------------------------------------------------------------ read_line

struct read_case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

std::ostream& operator<<(std::ostream& out, const read_case& c) { return out << c.name; }

class read_line_test : public testing::TestWithParam<read_case> {};

TEST_P(read_line_test, gives_whole_terminated_lines_without_their_ends) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::tmpfile(), &std::fclose);
    ASSERT_TRUE(in);
    const std::string& bytes = GetParam().bytes;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), in.get()), bytes.size());
    std::rewind(in.get());
    std::vector<std::string> lines;
    std::string line;
    while (read_line(in.get(), line))
        lines.push_back(line);
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    files, read_line_test,
    testing::Values(read_case{"crlf", "a\r\nb\r\n", {"a", "b"}}, read_case{"lf", "a\nb\n", {"a", "b"}},
                    read_case{"mixed", "a\r\nb\n", {"a", "b"}},
                    read_case{"unterminated_last", "a\r\nb", {"a"}},
                    read_case{"only_unterminated", "abc", {}}, read_case{"empty_file", "", {}},
                    read_case{"empty_lines", "\r\n\n", {"", ""}},
                    read_case{"one_cr_dropped", "a\r\r\n", {"a\r"}},
                    read_case{"nul_bytes", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
                    read_case{"long_line", std::string(300000, 'x') + "\r\n", {std::string(300000, 'x')}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// -------------------------------------------------------------------- history

TEST_F(data_files_test, history_is_written_oldest_first_with_crlf) {
    history_store history;
    history.add("1+2", "3");
    history.add("3*4", "12");
    ASSERT_TRUE(save_history(path("history.txt"), history));
    EXPECT_EQ(read_bytes(path("history.txt")), "1+2 = 3\r\n3*4 = 12\r\n");
}

TEST_F(data_files_test, an_empty_history_leaves_an_empty_file) {
    write_bytes(path("history.txt"), "1+2 = 3\r\n");
    ASSERT_TRUE(save_history(path("history.txt"), history_store{}));
    EXPECT_TRUE(fs::exists(path("history.txt")));
    EXPECT_EQ(read_bytes(path("history.txt")), "");
}

TEST_F(data_files_test, history_reads_back_as_written) {
    history_store history;
    history.add("sin(30)", "0.5");
    history.add("", "");
    history.add("1000*1000", "1,000,000");
    ASSERT_TRUE(save_history(path("history.txt"), history));
    history_store loaded;
    ASSERT_TRUE(load_history(path("history.txt"), loaded));
    EXPECT_EQ(entries(loaded), entries(history));
}

TEST_F(data_files_test, sixty_lines_load_the_last_fifty_newest_at_the_front) {
    std::string text;
    for (int i = 1; i <= 60; ++i)
        text += std::to_string(i) + " = " + std::to_string(i * 2) + "\r\n";
    write_bytes(path("history.txt"), text);
    history_store history;
    ASSERT_TRUE(load_history(path("history.txt"), history));
    ASSERT_EQ(history.size(), HISTORY_LIMIT);
    EXPECT_EQ(history[0], (history_entry{"60", "120"}));
    EXPECT_EQ(history[49], (history_entry{"11", "22"}));
}

TEST_F(data_files_test, history_lines_load_by_the_splitting_rule) {
    write_bytes(path("history.txt"), "1+2 = 3\r\n\r\nabc\n4*5 = 20");
    history_store history;
    ASSERT_TRUE(load_history(path("history.txt"), history));
    // The unterminated last line loads too; the empty one gives " = ".
    EXPECT_EQ(entries(history),
              (std::vector<history_entry>{{"4*5", "20"}, {"abc", "abc"}, {"", ""}, {"1+2", "3"}}));
}

TEST_F(data_files_test, a_missing_history_file_leaves_the_store_alone) {
    history_store history;
    history.add("1", "1");
    EXPECT_FALSE(load_history(path("history.txt"), history));
    EXPECT_EQ(entries(history), (std::vector<history_entry>{{"1", "1"}}));
}

TEST_F(data_files_test, a_huge_history_keeps_only_its_last_entries) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "1+" + std::to_string(i) + " = " + std::to_string(i + 1) + "\r\n";
    text += std::string(2 * 1024 * 1024, 'y') + " = 1\r\n"; // a two-megabyte line
    write_bytes(path("history.txt"), text);
    history_store history;
    ASSERT_TRUE(load_history(path("history.txt"), history));
    ASSERT_EQ(history.size(), HISTORY_LIMIT);
    EXPECT_EQ(history[0].expression.size(), 2u * 1024 * 1024);
    EXPECT_EQ(history[1], (history_entry{"1+99999", "100000"}));
}

TEST_F(data_files_test, binary_junk_loads_without_harm) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    junk += "\n";
    write_bytes(path("history.txt"), junk);
    write_bytes(path("var.txt"), junk);
    history_store history;
    EXPECT_TRUE(load_history(path("history.txt"), history));
    cal::calculator calc;
    EXPECT_TRUE(load_variables(path("var.txt"), calc));
    // Whatever loaded is written back and read again unchanged.
    ASSERT_TRUE(save_history(path("history.txt"), history));
    history_store again;
    ASSERT_TRUE(load_history(path("history.txt"), again));
    EXPECT_EQ(entries(again), entries(history));
}

// ------------------------------------------------------------------ variables

TEST_F(data_files_test, variables_are_written_in_name_order_with_crlf) {
    cal::calculator calc;
    calc.set_variable("b", 2);
    calc.set_variable("a", 1.0 / 3.0);
    calc.set_variable("B", -2.5);
    calc.set_variable("ans", 0);
    calc.set_variable("big", 12345678901.0);
    ASSERT_TRUE(save_variables(path("var.txt"), calc));
    EXPECT_EQ(read_bytes(path("var.txt")),
              "B = -2.5\r\na = 0.3333333333333333\r\nans = 0\r\nb = 2\r\nbig = 12345678901\r\n");
}

TEST_F(data_files_test, no_variables_leave_an_empty_file) {
    write_bytes(path("var.txt"), "x = 1\r\n");
    ASSERT_TRUE(save_variables(path("var.txt"), cal::calculator{}));
    EXPECT_EQ(read_bytes(path("var.txt")), "");
}

// Whatever the display precision, a value comes back as the same double.
TEST_F(data_files_test, values_come_back_exactly) {
    const double values[] = {1.23456789012345, 1.23456789012345e20, 1e-5, 0.0825, 1.0 / 3, -2.5e-300,
                             1.7976931348623157e308, 2.2250738585072014e-308, 0.1 + 0.2, -0.0};
    cal::calculator calc;
    for (std::size_t i = 0; i < std::size(values); ++i)
        calc.set_variable("v" + std::to_string(i), values[i]);
    ASSERT_TRUE(save_variables(path("var.txt"), calc));
    cal::calculator loaded;
    ASSERT_TRUE(load_variables(path("var.txt"), loaded));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        double value = 1;
        ASSERT_TRUE(loaded.get_variable("v" + std::to_string(i), value)) << i;
        EXPECT_EQ(std::memcmp(&value, &values[i], sizeof value), 0) << values[i];
    }
}

struct value_case {
    const char* line;
    bool loaded;
    double value;
};

std::ostream& operator<<(std::ostream& out, const value_case& c) { return out << '"' << c.line << '"'; }

class variable_line_test : public data_files_test, public testing::WithParamInterface<value_case> {};

TEST_P(variable_line_test, loads_finite_values_and_skips_the_rest) {
    const auto& c = GetParam();
    write_bytes(path("var.txt"), std::string(c.line) + "\r\n");
    cal::calculator calc;
    calc.set_variable("x", 99);
    ASSERT_TRUE(load_variables(path("var.txt"), calc));
    double x = 0;
    ASSERT_TRUE(calc.get_variable("x", x));
    EXPECT_EQ(x, c.loaded ? c.value : 99.0);
    EXPECT_EQ(calc.variables.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    values, variable_line_test,
    testing::Values(value_case{"x = 2.5", true, 2.5}, value_case{"x = -1.5e-3", true, -1.5e-3},
                    value_case{"x = 12abc", true, 12}, // conversion stops at the first misfit
                    value_case{"x = abc", true, 0},    // nothing fits: 0
                    value_case{"x = ", true, 0}, value_case{"x = \t+7", true, 7}, // leading blanks skipped
                    value_case{"x = 1e-400", true, 0},                            // underflows to zero
                    value_case{"x = nan", false, 0}, value_case{"x = -nan", false, 0},
                    value_case{"x = inf", false, 0}, value_case{"x = -inf", false, 0},
                    value_case{"x = 1e999", false, 0}, value_case{"x = -1e999", false, 0},
                    value_case{"x = 1e-310", false, 0})); // subnormal

TEST_F(data_files_test, a_variable_line_without_separator_loads_by_the_splitting_rule) {
    write_bytes(path("var.txt"), "42\r\nz = 1\r\nw = 2");
    cal::calculator calc;
    ASSERT_TRUE(load_variables(path("var.txt"), calc));
    double value = 0;
    EXPECT_TRUE(calc.get_variable("42", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(calc.get_variable("z", value));
    EXPECT_TRUE(calc.get_variable("w", value)); // unterminated last line
    EXPECT_EQ(calc.variables.size(), 3u);
}

TEST_F(data_files_test, a_missing_variable_file_changes_nothing) {
    cal::calculator calc;
    calc.set_variable("x", 1);
    EXPECT_FALSE(load_variables(path("var.txt"), calc));
    EXPECT_EQ(calc.variables.size(), 1u);
}

// -------------------------------------------------------- safe replacement

TEST_F(data_files_test, a_successful_save_leaves_no_temporary_file) {
    history_store history;
    history.add("1", "1");
    ASSERT_TRUE(save_history(path("history.txt"), history));
    EXPECT_FALSE(fs::exists(safe_file_writer::temporary_path(path("history.txt"))));
    EXPECT_EQ(fs::directory_iterator(folder_)->path().filename(), "history.txt");
}

// Each way of failing must leave the old file byte for byte and no partial
// file behind.
enum class failure { temporary_not_creatable, target_not_replaceable, folder_missing };

class failed_save_test : public data_files_test, public testing::WithParamInterface<failure> {};

TEST_P(failed_save_test, keeps_the_old_file) {
    std::string target = path("history.txt");
    const std::string old_text = "1+2 = 3\r\n3*4 = 12\r\n";
    switch (GetParam()) {
    case failure::temporary_not_creatable:
        // A folder where the temporary file would go: it cannot be opened.
        write_bytes(target, old_text);
        fs::create_directory(safe_file_writer::temporary_path(target));
        break;
    case failure::target_not_replaceable:
        // The target is a folder holding a file: the finished temporary file
        // cannot take its place.
        fs::create_directory(target);
        target = (folder_ / "history.txt" / "inner.txt").string();
        write_bytes(target, old_text);
        target = path("history.txt");
        break;
    case failure::folder_missing: target = (folder_ / "missing" / "history.txt").string(); break;
    }
    history_store history;
    history.add("5", "5");
    cal::calculator calc;
    calc.set_variable("x", 1);

    EXPECT_FALSE(save_history(target, history));
    EXPECT_FALSE(save_variables(target, calc));

    switch (GetParam()) {
    case failure::temporary_not_creatable:
        EXPECT_EQ(read_bytes(target), old_text);
        EXPECT_TRUE(fs::is_directory(safe_file_writer::temporary_path(target)));
        break;
    case failure::target_not_replaceable:
        EXPECT_EQ(read_bytes((folder_ / "history.txt" / "inner.txt").string()), old_text);
        EXPECT_FALSE(fs::exists(safe_file_writer::temporary_path(target)));
        break;
    case failure::folder_missing: EXPECT_FALSE(fs::exists(folder_ / "missing")); break;
    }
}

INSTANTIATE_TEST_SUITE_P(ways, failed_save_test,
                         testing::Values(failure::temporary_not_creatable, failure::target_not_replaceable,
                                         failure::folder_missing));

#ifndef _WIN32
// Makes the folder unwritable: its permissions, and for a user whom they do
// not stop (root) its immutable flag. False when neither works here.
bool set_immutable(const fs::path& folder, bool immutable) {
    const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return false;
    int flags = 0;
    bool set = ioctl(handle, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    set = set && ioctl(handle, FS_IOC_SETFLAGS, &flags) == 0;
    close(handle);
    return set;
}

bool make_read_only(const fs::path& folder, bool read_only) {
    std::error_code ignored;
    if (!read_only)
        set_immutable(folder, false);
    fs::permissions(folder, read_only ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all,
                    ignored);
    if (read_only)
        set_immutable(folder, true);
    const fs::path probe = folder / "probe";
    const bool writable = std::ofstream(probe).good();
    fs::remove(probe, ignored);
    return !writable;
}

TEST_F(data_files_test, a_read_only_folder_keeps_the_old_files) {
    write_bytes(path("history.txt"), "1+2 = 3\r\n");
    write_bytes(path("var.txt"), "x = 1\r\n");
    if (!make_read_only(folder_, true))
        GTEST_SKIP() << "this user can write into any folder";
    history_store history;
    history.add("5", "5");
    cal::calculator calc;
    calc.set_variable("y", 2);
    const bool history_saved = save_history(path("history.txt"), history);
    const bool variables_saved = save_variables(path("var.txt"), calc);
    make_read_only(folder_, false);
    EXPECT_FALSE(history_saved);
    EXPECT_FALSE(variables_saved);
    EXPECT_EQ(read_bytes(path("history.txt")), "1+2 = 3\r\n");
    EXPECT_EQ(read_bytes(path("var.txt")), "x = 1\r\n");
}
#endif

TEST_F(data_files_test, a_failed_writer_removes_its_temporary_file) {
    const std::string target = path("var.txt");
    write_bytes(target, "x = 1\r\n");
    {
        safe_file_writer file(target);
        file.write("x = 2\r\n");
        EXPECT_TRUE(fs::exists(safe_file_writer::temporary_path(target)));
        // Destroyed without commit, as when the writing is abandoned.
    }
    EXPECT_FALSE(fs::exists(safe_file_writer::temporary_path(target)));
    EXPECT_EQ(read_bytes(target), "x = 1\r\n");
}

// ------------------------------------------------------------ any encoding

std::string utf16(std::string_view utf8, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        // Test texts hold ASCII and BMP characters only.
        unsigned int code = static_cast<unsigned char>(utf8[i]);
        std::size_t length = code < 0x80 ? 1 : code < 0xE0 ? 2 : 3;
        if (length == 2)
            code = (code & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
        if (length == 3)
            code = (code & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
        i += length;
        const char high = static_cast<char>(code >> 8), low = static_cast<char>(code & 0xFF);
        out += big_endian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

struct encoding_case {
    const char* name;
    std::string bytes;
    text_encoding encoding;
};

std::ostream& operator<<(std::ostream& out, const encoding_case& c) { return out << c.name; }

// The same two variables and their Japanese-named third, in any form an
// editor may save them: every entry loads, in the program's code page.
const char lines_utf8[] = "a = 1\r\nb = 2.5\r\n変数 = 3";

class hostile_encoding_test : public data_files_test, public testing::WithParamInterface<encoding_case> {
protected:
    void SetUp() override {
        data_files_test::SetUp();
        set_native_text_conversion([](std::string_view utf8, std::string& native) {
            native = sjis(utf8);
            return true;
        });
    }
    void TearDown() override {
        set_native_text_conversion({});
        data_files_test::TearDown();
    }
};

TEST_P(hostile_encoding_test, every_entry_loads) {
    const encoding_case& c = GetParam();
    EXPECT_EQ(detect_encoding(c.bytes), c.encoding);
    write_bytes(path("var.txt"), c.bytes);
    cal::calculator calc;
    ASSERT_TRUE(load_variables(path("var.txt"), calc));
    EXPECT_EQ(calc.variables.size(), 3u);
    for (const auto& [name, expected] : {std::pair{std::string("a"), 1.0}, {std::string("b"), 2.5}, {sjis("変数"), 3.0}}) {
        double value = 0;
        EXPECT_TRUE(calc.get_variable(name, value)) << utf8_from_sjis(name);
        EXPECT_EQ(value, expected);
    }
    write_bytes(path("history.txt"), c.bytes);
    history_store history;
    ASSERT_TRUE(load_history(path("history.txt"), history));
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0], (history_entry{sjis("変数"), "3"}));
    EXPECT_EQ(history[2], (history_entry{"a", "1"}));
}

std::string with_line_ends(std::string text, const char* line_end) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += line_end;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    files, hostile_encoding_test,
    testing::Values(encoding_case{"shift_jis", sjis(lines_utf8), text_encoding::native},
                    encoding_case{"shift_jis_terminated", sjis(lines_utf8) + "\r\n", text_encoding::native},
                    encoding_case{"shift_jis_lf", with_line_ends(sjis(lines_utf8), "\n"), text_encoding::native},
                    encoding_case{"shift_jis_cr", with_line_ends(sjis(lines_utf8), "\r"), text_encoding::native},
                    encoding_case{"utf8", lines_utf8, text_encoding::utf8},
                    encoding_case{"utf8_bom", std::string("\xEF\xBB\xBF") + lines_utf8, text_encoding::utf8_bom},
                    encoding_case{"utf8_bom_cr", "\xEF\xBB\xBF" + with_line_ends(lines_utf8, "\r"),
                                  text_encoding::utf8_bom},
                    encoding_case{"utf16_le", utf16(lines_utf8, false), text_encoding::utf16_le},
                    encoding_case{"utf16_le_lf", utf16(with_line_ends(lines_utf8, "\n"), false),
                                  text_encoding::utf16_le},
                    encoding_case{"utf16_be", utf16(lines_utf8, true), text_encoding::utf16_be},
                    encoding_case{"utf16_be_cr", utf16(with_line_ends(lines_utf8, "\r"), true),
                                  text_encoding::utf16_be}),
    [](const testing::TestParamInfo<encoding_case>& parameter) { return std::string(parameter.param.name); });

// UTF-16 beyond the basic plane, and the damage a cut file may hold.
TEST(utf8_from_utf16, pairs_surrogates_and_replaces_lone_ones) {
    EXPECT_EQ(utf8_from_utf16(std::string("\x3D\xD8\x00\xDE", 4), false), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8_from_utf16(std::string("\xD8\x3D\x00\x41", 4), true), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(utf8_from_utf16(std::string("A\0B", 3), false), "A");
}

} // namespace
