#pragma once
// Resource ids of Murvex32.exe. The values are part of the program's contract:
// the dialog templates, string numbers and control ids are fixed.

// Icons and bitmaps
#define IDI_MAIN                        128
#define IDB_LOGO                        129

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_MAIN                        102
#define IDD_CAPTIONS                    129
#define IDD_NOTES                       130
#define IDD_GRID                        131
#define IDD_GENERAL                     132
#define IDD_ADD_SCREEN_SIZE             133
#define IDD_SAVEAS_OLDSTYLE             136
#define IDD_SAVEAS                      137

// System menu
#define IDM_ABOUTBOX                    16
#define IDS_ABOUTBOX                    101

// Control id of unnamed static labels
#define IDC_STATIC_LABEL                0xFFFF

// Main window (102)
#define IDC_MAIN_TAB                    1000
#define IDC_MAIN_PREVIEW                1008
#define IDC_MAIN_SAVE_AS                1017
#define IDC_MAIN_HELP                   9

// About box (100)
#define IDC_ABOUT_COMMENTS              1068
#define IDC_ABOUT_COPYRIGHT             1072
#define IDC_ABOUT_VERSION               1073

// Captions page (129): check box and edit box of each row
#define IDC_CAPTIONS_MACHINE_CHECK      1040
#define IDC_CAPTIONS_MACHINE_EDIT       1041
#define IDC_CAPTIONS_OS_CHECK           1005
#define IDC_CAPTIONS_OS_EDIT            1043
#define IDC_CAPTIONS_OSVERS_CHECK       1013
#define IDC_CAPTIONS_OSVERS_EDIT        1018
#define IDC_CAPTIONS_LOCALE_CHECK       1022
#define IDC_CAPTIONS_LOCALE_EDIT        1026
#define IDC_CAPTIONS_BROWSER_CHECK      1030
#define IDC_CAPTIONS_BROWSER_EDIT       1033
#define IDC_CAPTIONS_BROWSERVERS_CHECK  1036
#define IDC_CAPTIONS_BROWSERVERS_EDIT   1038
#define IDC_CAPTIONS_IP_CHECK           1045
#define IDC_CAPTIONS_IP_EDIT            1046
#define IDC_CAPTIONS_USER_CHECK         1047
#define IDC_CAPTIONS_USER_EDIT          1048

// Notes page (130)
#define IDC_NOTES_EDIT                  1019
#define IDC_NOTES_HELP                  1066

// Grid page (131)
#define IDC_GRID_SIZES                  1037
#define IDC_GRID_ENABLE                 1024
#define IDC_GRID_DISABLE                1028
#define IDC_GRID_ADD                    1031
#define IDC_GRID_REMOVE                 1034
#define IDC_GRID_LINE_SIZE              1039
#define IDC_GRID_TASK_BAR               1015
#define IDC_GRID_FLIP                   1071

// General page (132)
#define IDC_GENERAL_CAPTIONS            1001
#define IDC_GENERAL_NOTES               1019
#define IDC_GENERAL_GRID                1044
#define IDC_GENERAL_LOGO                1042
#define IDC_GENERAL_BORDER              1006
#define IDC_GENERAL_MARGIN              1010
#define IDC_GENERAL_MARGIN_SPIN         1050
#define IDC_GENERAL_FONT                1003
#define IDC_GENERAL_SYSTEM              1014
#define IDC_GENERAL_REVERSED            1078
#define IDC_GENERAL_CUSTOM              1079
#define IDC_GENERAL_FOREGROUND          1027
#define IDC_GENERAL_BACKGROUND          1023
#define IDC_GENERAL_POSITION            1081

// Add Screen Size dialog (133)
#define IDC_ADDSIZE_WIDTH               1009
#define IDC_ADDSIZE_HEIGHT              1012

// Save As extensions (136, 137)
#define IDC_SAVEAS_SAVE_SETTINGS        1062
#define IDC_SAVEAS_SAVE_MASTER          1063
#define IDC_SAVEAS_SET_WALLPAPER        1064

// Labels and texts
#define IDS_NOTES_LABEL                 1000
#define IDS_TAB_GENERAL                 1001
#define IDS_TAB_CAPTIONS                1002
#define IDS_TAB_NOTES                   1003
#define IDS_TAB_GRID                    1004
#define IDS_SAVEAS_FILTER               1007
#define IDS_OS_VERSION_FORMAT           1008
#define IDS_LABEL_MACHINE               1009
#define IDS_LABEL_OS                    1010
#define IDS_LABEL_OS_VERSION            1011
#define IDS_LABEL_LOCALE                1012
#define IDS_LABEL_BROWSER               1013
#define IDS_LABEL_BROWSER_VERSION       1014
#define IDS_LABEL_IP_ADDRESS            1020
#define IDS_LABEL_USER                  1021
#define IDS_UNKNOWN_OS_VERSION          1016
#define IDS_UNKNOWN_OS                  1017
#define IDS_POSITION_CENTRE             1030  // then 1031 to 1034: the corners, in WallpaperPosition's order

// Help texts
#define IDS_HELP_CLOSE                  2000
#define IDS_HELP_SAVE_AS                2001
#define IDS_HELP_CAPTIONS_SECTION       2002
#define IDS_HELP_NOTES_SECTION          2003
#define IDS_HELP_GRID_SECTION           2004
#define IDS_HELP_LOGO_SECTION           2005
#define IDS_HELP_FOREGROUND             2007
#define IDS_HELP_BACKGROUND             2008
#define IDS_HELP_MARGIN                 2010
#define IDS_HELP_BORDER                 2011
#define IDS_HELP_FONT                   2012
#define IDS_HELP_MACHINE                2013
#define IDS_HELP_OS                     2014
#define IDS_HELP_OS_VERSION             2015
#define IDS_HELP_LOCALE                 2016
#define IDS_HELP_BROWSER                2017
#define IDS_HELP_BROWSER_VERSION        2018
#define IDS_HELP_NOTES                  2019
#define IDS_HELP_PROGRAM                2020
#define IDS_HELP_SIZES                  2021
#define IDS_HELP_ENABLE                 2022
#define IDS_HELP_DISABLE                2023
#define IDS_HELP_ADD                    2024
#define IDS_HELP_REMOVE                 2025
#define IDS_HELP_LINE_SIZE              2026
#define IDS_HELP_TASK_BAR               2027
#define IDS_HELP_IP_ADDRESS             2028
#define IDS_HELP_USER                   2029
#define IDS_HELP_SET_WALLPAPER          2031
#define IDS_HELP_SAVE_SETTINGS          2032
#define IDS_HELP_SAVE_MASTER            2033
#define IDS_HELP_FLIP                   2034
#define IDS_HELP_SYSTEM_COLORS          2041
#define IDS_HELP_REVERSED_COLORS        2042
#define IDS_HELP_CUSTOM_COLORS          2043
#define IDS_HELP_POSITION               2044
#define IDS_HELP_NOTES_BUTTON           3000
#define IDS_HELP_PREVIEW                3001

// Messages
#define IDS_MSG_BMP_EXTENSION           10002
#define IDS_MSG_DUPLICATE_SIZE          10003
#define IDS_MSG_REMOVE_SIZE             10004
#define IDS_MSG_REMOVE_SIZES            10005
#define IDS_MSG_SAVE_CHANGES            10006
#define IDS_MSG_WRITE_FAILED            10007
#define IDS_MSG_SETTINGS_FAILED         10008
#define IDS_MSG_INSTALL_FAILED          10009
#define IDS_MSG_TOO_LARGE               10010
#define IDS_MSG_PAGE_FAILED             10011
#define IDS_MSG_DIALOG_FAILED           10012
#define IDS_MSG_NOTES_FULL              10013
#define IDS_MSG_RESERVED_NAME           10014
#define IDS_MSG_STALE_SETTINGS          10015
#define IDS_MSG_WINDOW_FAILED           10016
