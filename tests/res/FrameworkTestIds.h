#pragma once
// Templates
#define IDD_PLAIN            201
#define IDD_POSITIONED       202
#define IDD_CENTER_STYLE     203
#define IDD_BACKGROUND       204
#define IDD_COMPANION        205
#define IDD_HTML             206
// Controls
#define IDC_PLAIN_BUTTON     1001
#define IDC_IMAGE_BUTTON     1002
#define IDC_ARROW_BUTTON     1003
#define IDC_ACTIVEX          1004
#define IDC_EDIT             1005
#define IDC_COMPANION_BUTTON 1006
#define IDC_OFFKEY           1007
// Pictures
#define IDB_TEST_ART         301
#define IDB_TEST_NORMAL      139
#define IDB_TEST_HOT         140
