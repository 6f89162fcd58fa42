// Files a user's editor saved in its own encoding: "Tarvik.ini" is read
// completely and written back in the program's form, and a character without
// a Shift-JIS form is reported, not silently changed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calculator_window_fixture.h"
#include "support/sjis.h"
#include "ui/program_resources.h"

namespace {

std::vector<std::string> shown_texts;
int WINAPI record_message_box(HWND, LPCSTR text, LPCSTR, UINT) {
    shown_texts.push_back(text);
    return IDOK;
}

std::string utf16_le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

struct settings_file_case {
    const char* name;
    std::string bytes;
};

class hostile_settings_file : public calculator_window_fixture,
                              public testing::WithParamInterface<settings_file_case> {
protected:
    void SetUp() override {
        shown_texts.clear();
        previous_ = set_message_box_function(record_message_box);
    }
    void TearDown() override {
        set_message_box_function(previous_);
        calculator_window_fixture::TearDown();
    }
    void start_on(const std::string& ini) {
        std::ofstream(directory + "Tarvik.ini", std::ios::binary) << ini;
        calculator = std::make_unique<main_window>(directory);
        ASSERT_TRUE(calculator->create(nullptr));
        calculator->finish_start();
    }
    message_box_function previous_ = nullptr;
};

const char ini_text[] = "[Option]\r\nPrecision=3\r\nShow Tray=No\r\n[Color & Style]\r\nExp Font Size=14\r\n";

TEST_P(hostile_settings_file, is_read_completely_and_written_in_the_programs_form) {
    start_on(GetParam().bytes);
    EXPECT_EQ(calculator->current_settings().precision, 3);
    EXPECT_EQ(calculator->current_settings().exp_font_size, 14);
    DestroyWindow(calculator->handle());
    const std::string written = file_contents(directory + "Tarvik.ini");
    EXPECT_EQ(written.find("[Option]"), 0u) << written;
    EXPECT_EQ(occurrences(written, "[Option]"), 1u);
    EXPECT_NE(written.find("Precision=3"), std::string::npos);
    EXPECT_TRUE(shown_texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    encodings, hostile_settings_file,
    testing::Values(settings_file_case{"utf8_bom", std::string("\xEF\xBB\xBF") + ini_text},
                    settings_file_case{"utf16_le", utf16_le(ini_text)}),
    [](const testing::TestParamInfo<settings_file_case>& parameter) { return std::string(parameter.param.name); });

// An emoji has no Shift-JIS form: the user is told which file held one.
TEST_F(hostile_settings_file, a_character_without_a_shift_jis_form_is_reported) {
    std::ofstream(directory + "var.txt", std::ios::binary) << "\xEF\xBB\xBF" "x\xF0\x9F\x98\x80 = 1\r\ny = 2\r\n";
    start_on(ini_text);
    ASSERT_EQ(shown_texts.size(), 1u);
    EXPECT_NE(shown_texts[0].find(sjis("Shift-JIS で表せない文字")), std::string::npos);
    EXPECT_NE(shown_texts[0].find(directory + "var.txt"), std::string::npos);
    EXPECT_EQ(variable_text("y"), "2");
}

} // namespace
