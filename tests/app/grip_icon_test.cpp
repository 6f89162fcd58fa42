// The grip's icon: the program's own icon stands in for a chosen file that
// cannot give one, and each new load destroys the icon it replaces.
#include "app/grip_icon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

std::string temporary_file(const char* name, const char* contents) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    if (contents)
        std::ofstream(path, std::ios::binary) << contents;
    else
        DeleteFileA(path.c_str());
    return path;
}

TEST(grip_icon, falls_back_to_the_program_icon) {
    const struct {
        const char* name;
        std::string file;
    } cases[] = {
        {"none chosen", ""},
        {"missing file", temporary_file("tarvik_gone.ico", nullptr)},
        {"not an icon", temporary_file("tarvik_not_an_icon.ico", "[Option]\r\n")},
    };
    for (const auto& c : cases) {
        grip_icon icon;
        icon.load(c.file, 16);
        ICONINFO info{};
        EXPECT_TRUE(GetIconInfo(icon.handle(), &info)) << c.name;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DeleteFileA(cases[2].file.c_str());
}

TEST(grip_icon, a_new_load_destroys_the_replaced_icon) {
    grip_icon icon;
    icon.load("", 16);
    const HICON replaced = icon.handle();
    icon.load("", 32);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(replaced, &info));
    EXPECT_NE(nullptr, icon.handle());
}

} // namespace
