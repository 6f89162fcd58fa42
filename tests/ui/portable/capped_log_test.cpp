// The exception log: appended line by line, never past its cap, newest kept.
#include "ui/capped_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct log_case {
    const char* name;
    std::size_t lines;       // appended, numbered from 0
    std::size_t line_length; // of each line, its number in front
    std::size_t cap;
};

class capped_log_test : public testing::TestWithParam<log_case> {};

TEST_P(capped_log_test, stays_under_its_cap_and_keeps_the_newest_lines) {
    const log_case& c = GetParam();
    const fs::path path = fs::temp_directory_path() / (std::string("tarvik_log_") + c.name + ".log");
    fs::remove(path);
    std::string last;
    for (std::size_t i = 0; i < c.lines; ++i) {
        last = std::to_string(i) + std::string(c.line_length, 'x');
        ASSERT_TRUE(append_capped_line(path.string(), last, c.cap));
        ASSERT_LE(fs::file_size(path), c.cap);
    }
    const std::string text = read_all(path);
    fs::remove(path);
    // The newest line is there whole (or cut to half the cap), at the end.
    const std::string kept_last = last.substr(0, c.cap / 2 - 2) + "\r\n";
    ASSERT_GE(text.size(), kept_last.size());
    EXPECT_EQ(text.substr(text.size() - kept_last.size()), kept_last);
    // Every line kept is whole: the text starts at a line.
    EXPECT_TRUE(text.front() >= '0' && text.front() <= '9');
    if (c.lines * (c.line_length + 4) < c.cap) {
        EXPECT_EQ(text.substr(0, 2), "0x");
    }
}

INSTANTIATE_TEST_SUITE_P(appends, capped_log_test,
                         testing::Values(log_case{"few_lines_all_kept", 5, 10, 4096},
                                         log_case{"many_lines_wrap", 5000, 40, 4096},
                                         log_case{"lines_of_half_the_cap", 20, 2046, 4096},
                                         log_case{"a_line_past_the_cap", 3, 10000, 4096}),
                         [](const testing::TestParamInfo<log_case>& parameter) {
                             return std::string(parameter.param.name);
                         });

} // namespace

namespace {

// The path is UTF-8, whatever the system's code page: a folder named outside
// it (Latin and Korean letters under a Japanese code page) holds the log too.
TEST(capped_log_path, a_folder_named_outside_the_code_page) {
    const fs::path folder = fs::temp_directory_path() / fs::path(u8"tarvik_Zoë_도구");
    fs::create_directories(folder);
    const fs::path path = folder / "Tarvik.log";
    const std::u8string utf8 = path.u8string();
    ASSERT_TRUE(append_capped_line(std::string(utf8.begin(), utf8.end()), "line", 4096));
    EXPECT_EQ(read_all(path), "line\r\n");
    fs::remove_all(folder);
}

} // namespace
