// Loading the HTML Help engine: through the registered server's path, through
// the library search when the key is missing, and not at all (then every call
// answers nullptr at once and no later call tries again). The key lives in the
// test's own part of the registry so that the system's stays untouched.
#include <windows.h>
#include <htmlhelp.h>

#include <string>

#include "ui/html_help.h"
#include "ui/html_help_library.h"
#include "ui_fixture.h"

namespace {

constexpr const char* server_key = "Software\\Tarvik tests\\HTML Help server";
constexpr const char* missing_library = "no_such_help_engine.ocx";

void register_server(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, server_key, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
}

void unregister_server() { RegDeleteKeyA(HKEY_CURRENT_USER, server_key); }

std::string system_engine_path() {
    char directory[MAX_PATH] = {};
    GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\hhctrl.ocx";
}

struct loading_case {
    const char* name;
    bool key_present;
    const char* library_name;
    bool loads;
};

class html_help_loading : public ui_test, public ::testing::WithParamInterface<loading_case> {
protected:
    void TearDown() override { unregister_server(); }
};

TEST_P(html_help_loading, finds_the_engine_or_quietly_gives_up_for_good) {
    const loading_case& c = GetParam();
    unregister_server();
    if (c.key_present)
        register_server(system_engine_path());
    html_help_library engine({HKEY_CURRENT_USER, server_key, c.library_name});

    engine.call(nullptr, nullptr, HH_CLOSE_ALL, 0);
    EXPECT_EQ(c.loads, engine.library() != nullptr);
    EXPECT_EQ(!c.loads, engine.loading_failed());
    if (c.loads) {
        EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), engine.library());
        return;
    }
    // With the engine registered now, the failed loader still does not try.
    register_server(system_engine_path());
    EXPECT_EQ(nullptr, engine.call(nullptr, L"Tarvik.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_EQ(nullptr, engine.library());
}

INSTANTIATE_TEST_SUITE_P(cases, html_help_loading,
                         ::testing::Values(loading_case{"registered_server", true, missing_library, true},
                                           loading_case{"key_missing_library_search", false, "hhctrl.ocx",
                                                        true},
                                           loading_case{"no_engine_at_all", false, missing_library, false}),
                         [](const auto& test) { return std::string(test.param.name); });

// The program's entry: the system's engine, asked for nothing visible.
TEST_F(ui_test, html_help_reaches_the_system_engine) {
    EXPECT_EQ(nullptr, html_help(nullptr, nullptr, HH_CLOSE_ALL, 0));
    EXPECT_NE(nullptr, GetModuleHandleA("hhctrl.ocx"));
}

// A help file named without a folder is looked for beside the program, so
// help opens whatever the working folder the program was started in.
TEST(html_help_path, bare_names_are_taken_from_the_program_folder) {
    const struct {
        const char* file;
        const char* directory;
        const char* expected;
    } cases[] = {
        {"Tarvik.chm", "C:\\Tools\\", "C:\\Tools\\Tarvik.chm"},
        {"Tarvik.chm::/html/show_page.htm", "C:\\Tools\\", "C:\\Tools\\Tarvik.chm::/html/show_page.htm"},
        {"D:\\Help\\Tarvik.chm", "C:\\Tools\\", "D:\\Help\\Tarvik.chm"},
        {"Help\\Tarvik.chm::/a.htm", "C:\\Tools\\", "Help\\Tarvik.chm::/a.htm"},
        {"Tarvik.chm", "", "Tarvik.chm"},
        {nullptr, "C:\\Tools\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, help_file_beside(c.file, c.directory)) << (c.file ? c.file : "(null)");
}

} // namespace
