#pragma once

// The help file, looked for beside the program, and the topics the windows
// open in it with F1 or their help buttons.
inline constexpr const char* HELP_FILE = "Tarvik.chm";
inline constexpr const char* FUNCTIONS_HELP_TOPIC = "Tarvik.chm::/html/func_page.htm";
inline constexpr const char* FORMAT_HELP_TOPIC = "Tarvik.chm::/html/format_page.htm";
inline constexpr const char* DISPLAY_HELP_TOPIC = "Tarvik.chm::/html/show_page.htm";
inline constexpr const char* TRANSFER_HELP_TOPIC = "Tarvik.chm::/html/trans_page.htm";
