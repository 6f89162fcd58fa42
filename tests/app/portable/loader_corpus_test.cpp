// The loaders against hostile files: the checked-in corpus the loader fuzz
// target starts from, and files too large to check in, made here.
#include "app/function_keys.h"
#include "calc/history_file.h"
#include "calc/history_store.h"
#include "calc/line_reader.h"
#include "calc/user_function_loader.h"
#include "calc/variable_file.h"
#include "engine/calculator.h"
#include "options/shortcut_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path corpus_folder = TARVIK_LOADER_CORPUS;

std::vector<std::string> corpus_files() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(corpus_folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A temporary file holding the text, open for reading from its start.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_of(const std::string& text) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    if (file) {
        std::fwrite(text.data(), 1, text.size(), file.get());
        std::rewind(file.get());
    }
    return file;
}

// The file's lines as the settings file hands its values over.
std::vector<std::string> values(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

class loader_corpus : public testing::TestWithParam<std::string> {};

TEST_P(loader_corpus, every_loader_takes_the_file_within_its_limits) {
    const fs::path path = corpus_folder / GetParam();
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    history_store history;
    ASSERT_TRUE(load_history(path.string(), history));
    EXPECT_LE(history.size(), HISTORY_LIMIT);

    cal::calculator calc;
    ASSERT_TRUE(load_variables(path.string(), calc));
    // Every line end (CR LF, LF, a lone CR) and an unterminated last line.
    EXPECT_LE(calc.variables.size(), static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                                              std::count(text.begin(), text.end(), '\r') + 1));
    for (const auto& [name, value] : calc.variables)
        EXPECT_TRUE(std::isfinite(value)) << name;

    const std::vector<std::string> texts = values(text);
    const std::size_t skipped = define_user_functions(calc, texts);
    EXPECT_EQ(calc.user_functions.size(), texts.size() - skipped);

    std::vector<shortcut_key> keys;
    for (const std::string& key_text : texts) {
        keys.push_back(shortcut_key::from_text(key_text));
        EXPECT_EQ(shortcut_key::from_text(keys.back().to_text()), keys.back()) << key_text;
    }
    EXPECT_LE(resolve_function_keys(keys, texts).size(), keys.size());
}

INSTANTIATE_TEST_SUITE_P(hostile_files, loader_corpus, testing::ValuesIn(corpus_files()),
                         [](const testing::TestParamInfo<std::string>& parameter) {
                             return parameter.param;
                         });

// Values at the edges of what a double holds: only those an expression
// could produce are loaded.
TEST(loader_limits, variable_values_at_the_edges_load_only_when_finite_and_normal) {
    cal::calculator calc;
    ASSERT_TRUE(load_variables((corpus_folder / "variable_values_at_limits").string(), calc));
    const struct {
        const char* name;
        bool loaded;
    } expected[] = {{"max", true},           {"over", false}, {"normal_min", true}, {"subnormal", false},
                    {"inf", false},          {"nan", false},  {"minus_inf", false}, {"big", false},
                    {"neg_zero", true},      {"empty", true}, {"hex", true},        {"v", false},
                    {"spaces in name", true}};
    for (const auto& row : expected) {
        double value = 0;
        EXPECT_EQ(calc.get_variable(row.name, value), row.loaded) << row.name;
    }
}

// A line at the length limit loads; one byte more, or ten megabytes, and the
// line is passed over while the lines around it still load.
TEST(loader_limits, overlong_lines_are_passed_over) {
    const struct {
        const char* name;
        std::size_t length;
        bool loaded;
    } rows[] = {{"at_the_limit", LINE_LENGTH_LIMIT, true},
                {"one_past", LINE_LENGTH_LIMIT + 1, false},
                {"ten_megabytes", 10 * 1024 * 1024, false}};
    for (const auto& row : rows) {
        const std::string long_line = std::string(row.length - 4, 'x') + " = 1";
        const auto file = file_of("1+1 = 2\r\n" + long_line + "\n2+2 = 4\r\n");
        ASSERT_TRUE(file);
        history_store history;
        load_history(file.get(), history);
        ASSERT_EQ(history.size(), row.loaded ? 3u : 2u) << row.name;
        EXPECT_EQ(history[0].expression, "2+2") << row.name;
        EXPECT_EQ(history[history.size() - 1].expression, "1+1") << row.name;
    }
}

TEST(loader_limits, reading_stops_after_the_line_limit) {
    std::string text;
    for (std::size_t i = 0; i < FILE_LINE_LIMIT; ++i)
        text += "v = 1\n";
    text += "after = 2\n";
    const auto file = file_of(text);
    ASSERT_TRUE(file);
    cal::calculator calc;
    load_variables(file.get(), calc);
    double value = 0;
    EXPECT_TRUE(calc.get_variable("v", value));
    EXPECT_FALSE(calc.get_variable("after", value));
}

TEST(loader_limits, an_overlong_user_function_text_is_skipped_and_counted) {
    const std::vector<std::string> texts = {
        "sq(x)=x*x", "long(x)=" + std::string(USER_FUNCTION_TEXT_LIMIT, '1'), "cube(x)=x*x*x"};
    cal::calculator calc;
    EXPECT_EQ(define_user_functions(calc, texts), 1u);
    EXPECT_EQ(calc.user_functions.size(), 2u);
}

} // namespace
