// Resource ids of the program, shared by the resource script and the code.
#pragma once

// String table
#define IDS_APP_TITLE     1 // "Tarvik": window title, tray tip
#define IDS_WINDOW_CLASS  2 // "tarvikwnd": class of the main window
#define IDS_SETTINGS_FILE 3 // "Tarvik.ini": settings file name

// Icons
#define IDI_PROGRAM 103

// Menus
#define IDR_EXPRESSION_MENU      118 // expression editor: submenu "exp"
#define IDM_EXPRESSION_UNDO      40023
#define IDM_EXPRESSION_CUT       40020
#define IDM_EXPRESSION_COPY      40021
#define IDM_EXPRESSION_PASTE     40022
#define IDM_EXPRESSION_VARIABLES 40015 // the main window's variable list
#define IDR_ANSWER_MENU          119   // answer display: submenu "ans"
#define IDM_ANSWER_COPY          40021 // copies the whole answer
#define IDR_MAIN_MENU            107   // main window: its context menu
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
#define IDR_TRAY_MENU            106 // notification-area icon: submenu "tray"
#define IDM_SHOW                 40017
#define IDM_ABOUT                40013
#define IDR_LIST_MENU            132 // history and variable list: submenu "list"
#define IDM_LIST_DELETE          133 // greyed when no row is selected
#define IDM_LIST_DELETE_ALL      134
#define IDM_LIST_CLOSE           135

// Dialogs
// Each dialog's ids stand in its own block below, so the blocks can grow
// independently.

// -- Options sheet
#define IDS_OPTIONS_CAPTION 1201 // "Tarvik オプション"
#define IDS_PRECISION_RANGE 1202 // the precision edit's range message
#define IDS_EXPONENT_RANGE  1203 // the exponent edit's range message
#define IDS_HOTKEY_NEEDS_MODIFIER 1204 // a hotkey without Ctrl or Alt
#define IDS_START_WITH_WINDOWS_FAILED 1205 // the Run value could not be changed

// -- Functions page (107) and the user function dialog (112)
#define IDD_FUNCTIONS_PAGE              107
#define IDC_FUNCTION_LIST               1004
#define IDC_REGISTER_FUNCTION           1005
#define IDC_EDIT_FUNCTION               1006
#define IDC_DELETE_FUNCTION             1007
#define IDI_USER_FUNCTION               106 // 16x16 row icons of the function list
#define IDI_BUILTIN_FUNCTION            107
#define IDD_USER_FUNCTION               112
#define IDC_FUNCTION_KEY                1001
#define IDC_FUNCTION_DESCRIPTION        1002
#define IDC_FUNCTION_DEFINITION         1003
#define IDC_FUNCTION_NAME               1029
#define IDC_FUNCTION_ARGUMENTS          1030
#define IDC_FUNCTION_HELP               1048
#define IDS_FUNCTION_COLUMN_NAME        3300
#define IDS_FUNCTION_COLUMN_ARGUMENTS   3301
#define IDS_FUNCTION_COLUMN_DESCRIPTION 3302
#define IDS_FUNCTION_COLUMN_KEY         3303
#define IDS_BUILTIN_DEFINITION          3304
#define IDS_DELETE_FUNCTION_QUESTION    3305
#define IDS_KEY_USED_BY_SYSTEM          3306
#define IDS_KEY_USED_BY_FUNCTION        3307
#define IDS_FUNCTION_FIELD_MISSING      3308
#define IDS_FUNCTION_NAME_TAKEN         3309
#define IDS_DEFINITION_HAS_SEPARATOR    3310
#define IDS_FUNCTION_NAME_NOT_AS_READ   3311 // the name reads back as another
#define IDS_ARGUMENTS_NOT_AS_READ       3312 // the arguments read back as others
#define IDS_UNREADABLE_FUNCTIONS        3313 // at start: stored texts that do not read

// -- Display page (106)
#define IDD_DISPLAY_PAGE          106
#define IDC_DISPLAY_REAL          1006 // answer-form radios, in mode order
#define IDC_DISPLAY_ANGLE_TIME    1007
#define IDC_DISPLAY_BINARY        1008
#define IDC_DISPLAY_OCTAL         1009
#define IDC_DISPLAY_HEX           1010
#define IDC_DISPLAY_PRECISION     1011
#define IDC_DISPLAY_EXPONENT      1012
#define IDC_DISPLAY_DEGREE        1013 // angle radios, in mode order
#define IDC_DISPLAY_RADIAN        1014
#define IDC_DISPLAY_GRAD          1015
#define IDC_DISPLAY_SHOW_NC_ANS   1017
#define IDC_DISPLAY_REPLACE_ANS   1018
#define IDC_DISPLAY_SHOW_PARENS   1020
#define IDC_DISPLAY_ESC_HIDE      1021
#define IDC_DISPLAY_COMMA         1022
#define IDC_DISPLAY_BEGIN_SHOW    1030
#define IDC_DISPLAY_ANS_PRECISION 1031
#define IDC_DISPLAY_START_WITH_WINDOWS 1032 // the per-user Run value, not a setting

// -- Transfer page (108)
#define IDD_TRANSFER_PAGE           108
#define IDC_TRANSFER_AT_CARET       1006 // show-position radios, in value order
#define IDC_TRANSFER_TOP_RIGHT      1007
#define IDC_TRANSFER_WHERE_IT_WAS   1008
#define IDC_TRANSFER_HIDE           1009 // after-send radios, in value order
#define IDC_TRANSFER_ACTIVATE       1010
#define IDC_TRANSFER_STAY           1011
#define IDC_TRANSFER_SEND_ANS       1016
#define IDC_TRANSFER_HOTKEY         1017
#define IDC_TRANSFER_SEND_EXP       1019
#define IDC_TRANSFER_DEFAULT_HOTKEY 1033

// -- Format page (109) and the colour dialog (117)
#define IDD_FORMAT_PAGE              109
#define IDC_FORMAT_BACK_COLOUR       1000 // the five colour buttons, in slot order
#define IDC_FORMAT_FRAME_COLOUR      1001
#define IDC_FORMAT_TEXT_COLOUR       1002
#define IDC_FORMAT_INCOMPLETE_COLOUR 1003
#define IDC_FORMAT_ERROR_COLOUR      1004
#define IDC_FORMAT_FLAT              1006 // frame style 0; 1007 is 1, 1008 is 2
#define IDC_FORMAT_RAISED            1007
#define IDC_FORMAT_SUNKEN            1008
#define IDC_FORMAT_FIXED_SIZE        1032
#define IDC_FORMAT_WINDOW            1034
#define IDC_FORMAT_ICON_FILE         1035
#define IDC_FORMAT_ICON_BROWSE       1036
#define IDC_FORMAT_ICON_GROUP        1037
#define IDC_FORMAT_FONT_GROUP        1038
#define IDC_FORMAT_FONT_NAME         1039
#define IDC_FORMAT_FONT_SIZE         1040
#define IDC_FORMAT_FONT_SIZE_LABEL   1041
#define IDC_FORMAT_INCOMPLETE_LABEL  1042
#define IDC_FORMAT_ERROR_LABEL       1043
#define IDC_FORMAT_TEXT_LABEL        1044
#define IDC_FORMAT_HIGH_CONTRAST     1049 // shown while a high-contrast theme replaces the colours
#define IDD_COLOUR_DIALOG            117 // the standard colour dialog's ids (colordlg.h) plus one
#define IDC_COLOUR_AUTOMATIC         1046
#define IDS_FORMAT_MAIN_WINDOW       3500 // the items of the window list
#define IDS_FORMAT_EDITOR            3501
#define IDS_FORMAT_ANSWER_WINDOW     3502
#define IDS_FORMAT_AUTOMATIC         3503 // on a button with an automatic colour
#define IDS_ICON_CHOOSER_TITLE       3504
#define IDS_ICON_FILTER_ICONS        3505
#define IDS_ICON_FILTER_ALL          3506

// -- About box (121)
#define IDD_ABOUT              121
#define IDC_ABOUT_MAIL         1047 // the mail line: a link to the author's address
#define IDS_ABOUT_MAIL_ADDRESS 4001 // the address the mail line shows and opens

// -- Window texts of the main window, lists, tray and hotkey
#define IDS_HOTKEY_FAILED        290 // the hotkey could not be registered
#define IDS_FILES_NOT_SAVED      296 // files could not be saved; their names follow
#define IDS_FILES_NOT_READ       299 // files could not be read and are left alone; names and reasons follow
#define IDS_CHARACTERS_REPLACED  300 // files held characters without a Shift-JIS form; names follow
#define IDS_SEND_FAILED_COPIED   297 // the answer could not be typed in; it is on the clipboard
#define IDS_SEND_FAILED_LOST     298 // ... and the clipboard could not be set either
#define IDS_DELETE_HISTORY_ENTRY 201 // the list's "削除(&D)" on a history row
#define IDS_DELETE_ALL_HISTORY   202 // the list's "全て削除(&A)" on the history
#define IDS_DELETE_VARIABLE      203 // the list's "削除(&D)" on a variable
#define IDS_DELETE_ALL_VARIABLES 204 // the list's "全て削除(&A)" on the variables
// Names screen readers give the windows and their parts.
#define IDS_ACCESSIBLE_EXPRESSION 4101 // the editor
#define IDS_ACCESSIBLE_ANSWER     4102 // the answer display
#define IDS_ACCESSIBLE_ICON       4103 // the icon cell, which hides the window
#define IDS_ACCESSIBLE_HISTORY    4104 // the list popup with the history
#define IDS_ACCESSIBLE_VARIABLES  4105 // the list popup with the variables

// Accelerators
#define IDR_ACCELERATORS 114 // Ctrl+D/A/B/O/H: the answer forms

// Bitmaps and cursors
#define IDB_ABOUT     128 // the about box's picture
#define IDC_LINK_HAND 125 // pointing hand over the about box's mail line
