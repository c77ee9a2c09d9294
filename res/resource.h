// Resource identifiers of Selvane.exe. The numbers are fixed: pages, stored
// control data and the reskinning guide refer to them.
#pragma once

// Dialog templates
#define IDD_LAUNCHER_BACKGROUND 102
#define IDD_LAUNCHER_PANEL      103
#define IDD_GAME                150

// Controls of the launcher panel
#define IDC_OFFICIAL_SITE       104
#define IDC_SPARE_BUTTON        105
#define IDC_CLOSE               1004
#define IDC_BROWSER             1005
#define IDC_HOME                1006
#define IDC_RECHARGE            1008
#define IDC_SERVICE             1009
#define IDC_FORUM               1010
#define IDC_MINIMIZE            1012

// Game window start page (RT_HTML)
#define IDR_GAME_START_PAGE     106

// Pictures (type "PNG"); there is no 146
#define IDB_CLOSE_HOT           137
#define IDB_CLOSE               138
#define IDB_HOME                139
#define IDB_HOME_HOT            140
#define IDB_FORUM               141
#define IDB_FORUM_HOT           142
#define IDB_RECHARGE            143
#define IDB_RECHARGE_HOT        144
#define IDB_SERVICE             145
#define IDB_SERVICE_HOT         147
#define IDB_SKIN                158
#define IDB_MINIMIZE            159
#define IDB_MINIMIZE_HOT        160

// Application icon
#define IDI_SELVANE             155
