// Ids of the resources only the window tests use.
#pragma once

#define IDS_TEST_LONG_ASCII    1000
#define IDS_TEST_LONG_JAPANESE 1001
#define IDS_TEST_SHORT         1002

#define IDD_TEST_DIALOG 1100
#define IDD_TEST_PAGE_1 1101
#define IDD_TEST_PAGE_2 1102

#define IDC_TEST_EDIT    1110
#define IDC_TEST_RADIO_A 1111
#define IDC_TEST_RADIO_B 1112
#define IDC_TEST_RADIO_C 1113
#define IDC_TEST_CHECK   1114
