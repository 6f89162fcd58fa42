#include "options/run_command.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* const program = L"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe";

TEST(run_command_for, quotes_the_path_so_spaces_do_not_split_it) {
    EXPECT_EQ(L"\"C:\\Program Files\\Tarvik\\Tarvik.exe\"", run_command_for(L"C:\\Program Files\\Tarvik\\Tarvik.exe"));
    EXPECT_TRUE(run_command_starts(run_command_for(program), program));
}

TEST(run_command_starts, knows_this_copy_from_another) {
    const struct {
        const wchar_t* command;
        bool starts_program;
    } cases[] = {
        {L"\"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe\"", true},
        {L"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe", true}, // written unquoted by hand
        {L"\"c:\\users\\ai\\appdata\\local\\programs\\tarvik\\TARVIK.EXE\"", true}, // letter case
        {L"\"C:/Users/Ai/AppData/Local/Programs/Tarvik/Tarvik.exe\"", true},
        {L"  \"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe\" /min", true},
        {L"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe /min", true},
        {L"\"D:\\Tools\\Tarvik\\Tarvik.exe\"", false}, // a portable copy elsewhere
        {L"\"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe.bak\"", false},
        {L"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe2", false},
        {L"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik", false},
        {L"\"C:\\Users\\Ai\\AppData\\Local\\Programs\\Tarvik\\Tarvik.exe", false}, // no closing quote
        {L"\"\"", false},
        {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.starts_program, run_command_starts(c.command, program)) << testing::PrintToString(std::wstring(c.command));
    EXPECT_FALSE(run_command_starts(L"\"\"", L"")); // no module path
}

} // namespace
