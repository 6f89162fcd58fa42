#include <string>

#include "resources/resource.h"
#include "support/sjis.h"
#include "test_resources.h"
#include "ui/text.h"
#include "ui_fixture.h"

namespace {

using application_test = ui_test;

struct string_case {
    UINT id;
    std::string expected; // code page 932
};

std::string long_japanese_string() {
    std::string text(253, 'x');
    for (int i = 0; i < 4; ++i)
        text += sjis("漢字表示テスト");
    return text;
}

TEST_F(application_test, loads_string_resources_whole_whatever_their_length) {
    const string_case cases[] = {
        {IDS_APP_TITLE, "Tarvik"},
        {IDS_WINDOW_CLASS, "tarvikwnd"},
        {IDS_SETTINGS_FILE, "Tarvik.ini"},
        {IDS_TEST_SHORT, sjis("短い")},
        {IDS_TEST_LONG_ASCII,
         [] {
             std::string t;
             for (int i = 0; i < 30; ++i)
                 t += "0123456789";
             return t;
         }()},
        // A double-byte character straddles the end of the first buffer.
        {IDS_TEST_LONG_JAPANESE, long_japanese_string()},
    };
    for (const auto& c : cases) {
        std::string text = "previous";
        EXPECT_TRUE(app.load_string_resource(c.id, text)) << c.id;
        EXPECT_EQ(c.expected.size(), text.size()) << c.id;
        EXPECT_EQ(utf8_from_sjis(c.expected), utf8_from_sjis(text)) << c.id;
    }
}

TEST_F(application_test, missing_string_resource_leaves_the_text_alone) {
    std::string text = "unchanged";
    EXPECT_FALSE(app.load_string_resource(4242, text));
    EXPECT_EQ("unchanged", text);
}

TEST_F(application_test, module_directory_is_the_program_path_up_to_its_last_backslash) {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string expected(path);
    expected.erase(expected.find_last_of('\\') + 1);

    std::string directory = "previous";
    app.module_directory(directory);
    EXPECT_EQ(expected, directory);
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ('\\', directory.back());
}

TEST(application_lifetime, publishes_itself_while_it_lives_and_empties_its_registry) {
    EXPECT_EQ(nullptr, application::current());
    {
        application app(GetModuleHandleA(nullptr), nullptr, SW_HIDE);
        EXPECT_EQ(&app, application::current());
        EXPECT_EQ("", app.command_line());
        EXPECT_EQ(SW_HIDE, app.show_command());
        EXPECT_TRUE(app.init_instance());
        EXPECT_TRUE(app.exit_instance());
    }
    EXPECT_EQ(nullptr, application::current());
}

TEST_F(application_test, run_returns_the_quit_code_and_pump_one_handles_single_messages) {
    EXPECT_EQ(0, app.pump_one()); // empty queue
    PostQuitMessage(7);
    EXPECT_EQ(7, app.run());
}

} // namespace
