#include "options/settings_file.h"

#include "ini_test_file.h"
#include "support/sjis.h"
#include "test_printers.h"

#include <algorithm>
#include <climits>

namespace {

using entry_list = std::vector<std::pair<std::string, std::string>>;

// Every field differs from its default, so a field that is not saved or not
// loaded shows up as a difference.
settings sample_settings() {
    settings s;
    s.main_frame_color = 0x123456;
    s.main_back_color = 0x00ff00;
    s.main_frame_style = 1;
    s.main_icon_file = "C:\\" + sjis("アイコン\\表示") + ".ico";
    s.exp_font_name = sjis("ＭＳ 明朝");
    s.exp_font_size = 12;
    s.exp_font_color = 0;
    s.exp_back_color = 0xffffff;
    s.exp_frame_color = 0x808080;
    s.exp_frame_style = 2;
    s.ans_font_name = "Courier New";
    s.ans_font_size = 14;
    s.ans_font_color = 0x0000ff;
    s.ans_back_color = 0xc0c0c0;
    s.ans_frame_color = 0x404040;
    s.ans_error_color = 0x00ffff;
    s.ans_nc_color = 0xff00ff;
    s.ans_frame_style = 1;
    s.shortcut_keys = {{USER_FUNCTION_FLAG, 'A'}, {0, '1'}, {USER_FUNCTION_FLAG | 1, 'Q'}};
    s.user_function_texts = {"double(x)=x*2//twice", "sum(a,b)=a+b//" + sjis("和を表示")};
    s.window_rect = {-100, 20, 700, 180};
    s.answer_mode = 4;
    s.angle_mode = 2;
    s.precision = 15;
    s.exp_translate = 2;
    s.esc_hide = true;
    s.begin_show = false;
    s.ans_precision = false;
    s.show_nc_ans = true;
    s.replace_ans = false;
    s.show_parens = false;
    s.disable_resize = true;
    s.show_top = true;
    s.hotkey = 0x241; // Ctrl+A
    s.show_position = 2;
    s.send_ans = false;
    s.send_exp = true;
    s.after_send = 0;
    s.show_tray = false;
    s.comma = true;
    return s;
}

class settings_file_test : public ini_file_test {};

TEST_F(settings_file_test, without_a_file_every_field_has_its_default) {
    settings record = sample_settings();
    load_settings(record, path());
    EXPECT_EQ(record, settings{});

    EXPECT_EQ(record.window_rect, (window_rectangle{50, 50, 350, 200}));
    EXPECT_EQ(record.hotkey, 1056);
    EXPECT_EQ(record.answer_mode, 0);
    EXPECT_EQ(record.angle_mode, 0);
    EXPECT_EQ(record.precision, 10);
    EXPECT_EQ(record.exp_translate, 10);
    EXPECT_EQ(record.after_send, 1);
    for (std::int32_t colour :
         {record.main_frame_color, record.main_back_color, record.exp_font_color, record.exp_back_color,
          record.exp_frame_color, record.ans_font_color, record.ans_back_color, record.ans_frame_color,
          record.ans_error_color, record.ans_nc_color})
        EXPECT_EQ(colour, AUTO_COLOR);
    EXPECT_EQ(record.exp_font_name, sjis("ＭＳ ゴシック"));
    EXPECT_EQ(record.ans_font_name, sjis("ＭＳ ゴシック"));
    EXPECT_TRUE(record.begin_show);
    EXPECT_TRUE(record.show_tray);
    EXPECT_FALSE(record.esc_hide);
    EXPECT_TRUE(record.user_function_texts.empty());
    EXPECT_TRUE(record.shortcut_keys.empty());
}

TEST_F(settings_file_test, every_field_survives_a_round_trip) {
    const settings saved = sample_settings();
    save_settings(saved, path());
    settings loaded;
    load_settings(loaded, path());
    EXPECT_EQ(loaded, saved);

    // Saving the defaults over it brings every field back.
    save_settings(settings{}, path());
    load_settings(loaded, path());
    EXPECT_EQ(loaded, settings{});
}

TEST_F(settings_file_test, the_file_holds_the_expected_text) {
    save_settings(sample_settings(), path());
    const auto sections = parse_ini(read_raw());
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].name, "Option");
    EXPECT_EQ(
        sections[0].entries,
        (entry_list{
            {"Answer Mode", "4"},      {"Angle Mode", "2"}, {"Ans Precision", "No"}, {"Begin Show", "No"},
            {"ESC Hide", "Yes"},       {"Precision", "15"}, {"Exp Translate", "2"},  {"Replace Ans", "No"},
            {"Show NC Ans", "Yes"},    {"Show ()", "No"},   {"Show Top", "Yes"},     {"Hotkey", "577"},
            {"Show Position", "2"},    {"Send Ans", "No"},  {"Send Exp", "Yes"},     {"After Send", "0"},
            {"Disable Resize", "Yes"}, {"Show Tray", "No"}, {"Comma", "Yes"},
        }));
    EXPECT_EQ(sections[1].name, "User Function");
    EXPECT_EQ(sections[1].entries, (entry_list{
                                       {"Size", "2"},
                                       {"f0", "double(x)=x*2//twice"},
                                       {"f1", "sum(a,b)=a+b//" + sjis("和を表示")},
                                       {"KeySize", "3"},
                                       {"k0", "-2147483648,65"},
                                       {"k1", "0,49"},
                                       {"k2", "-2147483647,81"},
                                   }));
    EXPECT_EQ(sections[2].name, "Color & Style");
    EXPECT_EQ(sections[2].entries, (entry_list{
                                       {"Main Frame Color", "1193046"},
                                       {"Main Frame Style", "1"},
                                       {"Main Back Color", "65280"},
                                       {"Main Icon File", "C:\\" + sjis("アイコン\\表示") + ".ico"},
                                       {"Exp Frame Color", "8421504"},
                                       {"Exp Frame Style", "2"},
                                       {"Exp Back Color", "16777215"},
                                       {"Exp Font Color", "0"},
                                       {"Exp Font Name", sjis("ＭＳ 明朝")},
                                       {"Exp Font Size", "12"},
                                       {"Ans Frame Color", "4210752"},
                                       {"Ans Frame Style", "1"},
                                       {"Ans Back Color", "12632256"},
                                       {"Ans Font Color", "255"},
                                       {"Ans Error Color", "65535"},
                                       {"Ans NC Color", "16711935"},
                                       {"Ans Font Name", "Courier New"},
                                       {"Ans Font Size", "14"},
                                       {"Left", "-100"},
                                       {"Top", "20"},
                                       {"Right", "700"},
                                       {"Bottom", "180"},
                                   }));
}

TEST_F(settings_file_test, defaults_are_stored_as_minus_one_yes_no_and_shift_jis) {
    save_settings(settings{}, path());
    const auto sections = parse_ini(read_raw());
    const ini_section* option = find_section(sections, "Option");
    const ini_section* colour = find_section(sections, "Color & Style");
    ASSERT_TRUE(option && colour);
    const entry_list expected_option = {{"Ans Precision", "Yes"}, {"ESC Hide", "No"}, {"Hotkey", "1056"}};
    for (const auto& entry : expected_option)
        EXPECT_NE(std::find(option->entries.begin(), option->entries.end(), entry), option->entries.end())
            << entry.first;
    const entry_list expected_colour = {{"Main Frame Color", "-1"},
                                        {"Ans NC Color", "-1"},
                                        {"Exp Font Name", sjis("ＭＳ ゴシック")},
                                        {"Main Icon File", ""}};
    for (const auto& entry : expected_colour)
        EXPECT_NE(std::find(colour->entries.begin(), colour->entries.end(), entry), colour->entries.end())
            << entry.first;
    const ini_section* functions = find_section(sections, "User Function");
    ASSERT_TRUE(functions);
    EXPECT_EQ(functions->entries, (entry_list{{"Size", "0"}, {"KeySize", "0"}}));
}

TEST_F(settings_file_test, shorter_lists_leave_stale_keys_that_are_not_read) {
    settings record;
    record.user_function_texts = {"a()=1//", "b()=2//", "c()=3//", "d()=4//", "e()=5//"};
    record.shortcut_keys = {{USER_FUNCTION_FLAG, 'A'}, {USER_FUNCTION_FLAG | 4, 'E'}};
    save_settings(record, path());
    record.user_function_texts.resize(3);
    record.shortcut_keys.resize(1);
    save_settings(record, path());

    const auto sections = parse_ini(read_raw());
    const ini_section* functions = find_section(sections, "User Function");
    ASSERT_TRUE(functions);
    EXPECT_EQ(functions->entries, (entry_list{{"Size", "3"},
                                              {"f0", "a()=1//"},
                                              {"f1", "b()=2//"},
                                              {"f2", "c()=3//"},
                                              {"f3", "d()=4//"},
                                              {"f4", "e()=5//"},
                                              {"KeySize", "1"},
                                              {"k0", "-2147483648,65"},
                                              {"k1", "-2147483644,69"}}));
    settings loaded;
    load_settings(loaded, path());
    EXPECT_EQ(loaded.user_function_texts, (std::vector<std::string>{"a()=1//", "b()=2//", "c()=3//"}));
    EXPECT_EQ(loaded.shortcut_keys, (std::vector<shortcut_key>{{USER_FUNCTION_FLAG, 'A'}}));
}

TEST_F(settings_file_test, long_texts_are_read_whole) {
    settings record;
    record.main_icon_file = "C:\\" + std::string(293, 'i') + ".ico";
    ASSERT_EQ(record.main_icon_file.size(), 300u);
    record.user_function_texts = {"long(x)=" + std::string(2000, '1') + "//" + std::string(600, 'd')};
    save_settings(record, path());
    settings loaded;
    load_settings(loaded, path());
    EXPECT_EQ(loaded.main_icon_file, record.main_icon_file);
    EXPECT_EQ(loaded.user_function_texts, record.user_function_texts);
}

// Hand-written files: the user function section, values as they are stored.
struct hand_written_case {
    const char* name;
    const char* text;
    settings (*expected)();
};

void PrintTo(const hand_written_case& c, std::ostream* out) { *out << c.name; }

class hand_written_file_test : public ini_file_test,
                               public ::testing::WithParamInterface<hand_written_case> {};

TEST_P(hand_written_file_test, loads_as_expected) {
    write_raw(GetParam().text);
    settings loaded = sample_settings();
    load_settings(loaded, path());
    EXPECT_EQ(loaded, GetParam().expected());
}

settings with_keys(std::vector<shortcut_key> keys, std::vector<std::string> texts = {}) {
    settings s;
    s.shortcut_keys = std::move(keys);
    s.user_function_texts = std::move(texts);
    return s;
}

const hand_written_case hand_written_cases[] = {
    {"user_function_on_alt_a",
     "[User Function]\r\nSize=1\r\nf0=t(x)=x//\r\nKeySize=1\r\nk0=-2147483648,65\r\n",
     [] {
         return with_keys({{USER_FUNCTION_FLAG, 'A'}}, {"t(x)=x//"});
     }},
    {"shortcut_without_comma", "[User Function]\r\nKeySize=1\r\nk0=5\r\n",
     [] {
         return with_keys({{5, 5}});
     }},
    {"missing_shortcut_key", "[User Function]\r\nKeySize=2\r\nk0=0,49\r\n",
     [] {
         return with_keys({{0, '1'}, {0, 0}});
     }},
    {"size_beyond_the_stored_functions", "[User Function]\r\nSize=3\r\nf0=a()=1//\r\n",
     [] {
         return with_keys({}, {"a()=1//", "", ""});
     }},
    {"negative_counts", "[User Function]\r\nSize=-5\r\nf0=a()=1//\r\nKeySize=-1\r\nk0=0,49\r\n",
     [] { return with_keys({}); }},
    {"lower_case_yes", "[Option]\r\nBegin Show=yes\r\nShow Tray=YES\r\nComma=Yes\r\n",
     [] {
         settings s;
         s.begin_show = false;
         s.show_tray = false;
         s.comma = true;
         return s;
     }},
    {"names_in_other_letter_case", "[OPTION]\r\nanswer mode=2\r\n[color & style]\r\nLEFT=-30\r\n",
     [] {
         settings s;
         s.answer_mode = 2;
         s.window_rect.left = -30;
         return s;
     }},
    {"out_of_range_values_are_kept",
     "[Option]\r\nAnswer Mode=9\r\nPrecision=99\r\nAfter Send=-3\r\n[Color & Style]\r\nMain Frame "
     "Style=-4\r\n"
     "[User Function]\r\nKeySize=1\r\nk0=1234,65\r\n",
     [] {
         settings s = with_keys({{1234, 'A'}});
         s.answer_mode = 9;
         s.precision = 99;
         s.after_send = -3;
         s.main_frame_style = -4;
         return s;
     }},
    {"numbers_that_are_not_numbers", "[Option]\r\nPrecision=abc\r\nAnswer Mode=3x\r\n",
     [] {
         settings s;
         s.precision = 0;
         s.answer_mode = 3;
         return s;
     }},
    {"garbage_lines",
     "hello world\r\n===\r\n[Option\r\nPrecision=4\r\n[Option]\r\njunk line\r\n;Comma=Yes\r\n=7\r\n"
     "Exp Translate=5\r\n[]\r\n[Colour & Style]\r\nLeft=1\r\n",
     [] {
         settings s;
         s.exp_translate = 5;
         return s;
     }},
    {"no_sections", "Answer Mode=3\r\nPrecision=5\r\nSize=2\r\nLeft=0\r\n", [] { return settings{}; }},
    {"empty_file", "", [] { return settings{}; }},
    {"truncated_line", "[Option]\r\nPrecision=1",
     [] {
         settings s;
         s.precision = 1;
         return s;
     }},
};

INSTANTIATE_TEST_SUITE_P(cases, hand_written_file_test, ::testing::ValuesIn(hand_written_cases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(settings_file_test, huge_counts_are_limited) {
    write_raw("[User Function]\r\nSize=2000000000\r\nf1=b()=2//\r\nKeySize=99999999\r\nk0=0,49\r\n");
    settings loaded;
    load_settings(loaded, path());
    ASSERT_EQ(loaded.user_function_texts.size(), USER_FUNCTION_LIMIT);
    EXPECT_EQ(loaded.user_function_texts[1], "b()=2//");
    ASSERT_EQ(loaded.shortcut_keys.size(), SHORTCUT_KEY_LIMIT);
    EXPECT_EQ(loaded.shortcut_keys[0], (shortcut_key{0, '1'}));
}

TEST_F(settings_file_test, binary_junk_yields_the_defaults) {
    // Bytes of every value, '[' excepted so that no section can form.
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        char byte = static_cast<char>(state >> 16);
        junk += byte == '[' ? '\0' : byte;
    }
    for (const std::string& text :
         {junk, "\xff\xfe" + junk, "\xef\xbb\xbf" + junk, std::string(1000, '\0')}) {
        write_raw(text);
        settings loaded = sample_settings();
        load_settings(loaded, path());
        EXPECT_EQ(loaded, settings{});
    }
}

TEST_F(settings_file_test, a_file_cut_short_keeps_what_was_written_before_the_cut) {
    save_settings(sample_settings(), path());
    std::string text = read_raw();
    const std::size_t cut = text.find("Exp Font Name=");
    ASSERT_NE(cut, std::string::npos);
    write_raw(text.substr(0, cut + 18)); // the first two characters of the font name
    settings loaded;
    load_settings(loaded, path());

    settings expected = sample_settings();
    expected.exp_font_name = sjis("ＭＳ");
    expected.exp_font_size = 10;
    expected.ans_frame_color = AUTO_COLOR;
    expected.ans_frame_style = 0;
    expected.ans_back_color = AUTO_COLOR;
    expected.ans_font_color = AUTO_COLOR;
    expected.ans_error_color = AUTO_COLOR;
    expected.ans_nc_color = AUTO_COLOR;
    expected.ans_font_name = settings{}.ans_font_name;
    expected.ans_font_size = 10;
    expected.window_rect = window_rectangle{};
    EXPECT_EQ(loaded, expected);
}

TEST_F(settings_file_test, saving_into_an_unwritable_place_is_silent) {
    const std::string nowhere = path() + "\\no such directory\\Tarvik.ini";
    save_settings(sample_settings(), nowhere);
    settings loaded;
    load_settings(loaded, nowhere);
    EXPECT_EQ(loaded, settings{});
}

} // namespace
