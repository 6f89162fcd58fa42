#include "options/settings_path.h"

#include "ui/application.h"

#include <gtest/gtest.h>

namespace {

TEST(settings_path, the_files_lie_beside_the_program) {
    application app(GetModuleHandleA(nullptr), "", SW_HIDE);
    std::string directory;
    app.module_directory(directory);
    ASSERT_FALSE(directory.empty());
    ASSERT_EQ(directory.back(), '\\');
    EXPECT_EQ(settings_folder(), directory);
}

TEST(settings_path, without_an_application_the_current_directory_is_used) {
    ASSERT_EQ(application::current(), nullptr);
    EXPECT_EQ(settings_folder(), ".\\");
}

} // namespace
