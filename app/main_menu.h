#pragma once
#include <windows.h>

struct settings;

// Marks the main context menu (the first submenu of the main menu) for the current
// settings before it is shown: the answer form and the angle unit in use and
// "常に表示(&T)" are checked; with the tray icon shown, the items to show the
// icon and to quit are taken out (the tray menu carries both then).
void prepare_main_menu(HMENU menu, const settings& record);
