// Resource ids of the program, shared by the resource script and the code.
#pragma once

// String table
#define IDS_APP_TITLE        1   // "Tarvik": window title, tray tip
#define IDS_WINDOW_CLASS     2   // "tarvikwnd": class of the main window
#define IDS_SETTINGS_FILE    3   // "Tarvik.ini": settings file name

// Icons
#define IDI_PROGRAM          103

// Menus
#define IDR_EXPRESSION_MENU      118     // expression editor: submenu "exp"
#define IDM_EXPRESSION_UNDO      40023
#define IDM_EXPRESSION_CUT       40020
#define IDM_EXPRESSION_COPY      40021
#define IDM_EXPRESSION_PASTE     40022
#define IDM_EXPRESSION_VARIABLES 40015   // the main window's variable list
#define IDR_ANSWER_MENU          119     // answer display: submenu "ans"
#define IDM_ANSWER_COPY          40021   // copies the whole answer
#define IDR_MAIN_MENU            107     // main window: its context menu
#define IDM_EXIT                 40001
#define IDM_TOGGLE_TRAY          40002
#define IDM_HIDE                 40004
#define IDM_DEGREE               40005
#define IDM_RADIAN               40006
#define IDM_GRAD                 40007
#define IDM_REAL                 40008
#define IDM_ANGLE_TIME           40009
#define IDM_BINARY               40010
#define IDM_OCTAL                40011
#define IDM_HEX                  40012
#define IDM_HISTORY              40014
#define IDM_OPTIONS              40016
#define IDM_TOPMOST              40019
#define IDM_HELP                 40035
#define IDR_TRAY_MENU            106     // notification-area icon: submenu "tray"
#define IDM_SHOW                 40017
#define IDM_ABOUT                40013
#define IDR_LIST_MENU            132     // history and variable list: submenu "list"
#define IDM_LIST_DELETE          133     // greyed when no row is selected
#define IDM_LIST_DELETE_ALL      134
#define IDM_LIST_CLOSE           135

// Dialogs
// Each dialog's ids stand in its own block below, so the blocks can grow
// independently.

// -- Options sheet

// -- Functions page (107) and the user function dialog (112)

// -- Display page (106)

// -- Transfer page (108)

// -- Format page (109) and the colour dialog (117)

// -- About box (121)

// -- Window texts of the main window, lists, tray and hotkey
#define IDS_HOTKEY_FAILED        290  // the hotkey could not be registered
#define IDS_DELETE_HISTORY_ENTRY  201  // the list's "削除(&D)" on a history row
#define IDS_DELETE_ALL_HISTORY    202  // the list's "全て削除(&A)" on the history
#define IDS_DELETE_VARIABLE       203  // the list's "削除(&D)" on a variable
#define IDS_DELETE_ALL_VARIABLES  204  // the list's "全て削除(&A)" on the variables

// Accelerators
#define IDR_ACCELERATORS     114  // Ctrl+D/A/B/O/H: the answer forms

// Bitmaps and cursors
