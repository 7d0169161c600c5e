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
#define IDD_CUSTOM_LINE                 138

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

// Captions page (129) and its line dialog (138)
#define IDC_CAPTIONS_LIST               1082
#define IDC_CAPTIONS_VALUE              1083
#define IDC_CAPTIONS_UP                 1084
#define IDC_CAPTIONS_DOWN               1085
#define IDC_CAPTIONS_ADD                1086
#define IDC_CAPTIONS_EDIT_LINE          1087
#define IDC_CAPTIONS_REMOVE             1088
#define IDC_CUSTOM_LABEL                1090
#define IDC_CUSTOM_KIND                 1091
#define IDC_CUSTOM_SOURCE               1092
#define IDC_CUSTOM_VALUE                1093

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
#define IDS_LABEL_DOMAIN                1040  // to 1054: the lines after the first eight
#define IDS_LABEL_LOGON_SERVER          1041
#define IDS_LABEL_BOOT_TIME             1042
#define IDS_LABEL_CPU                   1043
#define IDS_LABEL_MEMORY                1044
#define IDS_LABEL_SYSTEM_TYPE           1045
#define IDS_LABEL_FREE_SPACE            1046
#define IDS_LABEL_MAC_ADDRESS           1047
#define IDS_LABEL_GATEWAY               1048
#define IDS_LABEL_DNS_SERVER            1049
#define IDS_LABEL_MANUFACTURER          1050
#define IDS_LABEL_MODEL                 1051
#define IDS_LABEL_SERIAL_NUMBER         1052
#define IDS_LABEL_ASSET_TAG             1053
#define IDS_LABEL_UPDATED               1054
#define IDS_COLUMN_LINE                 1055
#define IDS_COLUMN_VALUE                1056
#define IDS_KIND_REGISTRY               1060  // then 1061 to 1063: the kinds of source, in SourceKind's order
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
#define IDS_HELP_NOTES                  2019
#define IDS_HELP_PROGRAM                2020
#define IDS_HELP_SIZES                  2021
#define IDS_HELP_ENABLE                 2022
#define IDS_HELP_DISABLE                2023
#define IDS_HELP_ADD                    2024
#define IDS_HELP_REMOVE                 2025
#define IDS_HELP_LINE_SIZE              2026
#define IDS_HELP_TASK_BAR               2027
#define IDS_HELP_SET_WALLPAPER          2031
#define IDS_HELP_SAVE_SETTINGS          2032
#define IDS_HELP_SAVE_MASTER            2033
#define IDS_HELP_FLIP                   2034
#define IDS_HELP_SYSTEM_COLORS          2041
#define IDS_HELP_REVERSED_COLORS        2042
#define IDS_HELP_CUSTOM_COLORS          2043
#define IDS_HELP_POSITION               2044
#define IDS_HELP_CAPTION_LINES          2045
#define IDS_HELP_CAPTION_VALUE          2046
#define IDS_HELP_MOVE_UP                2047
#define IDS_HELP_MOVE_DOWN              2048
#define IDS_HELP_ADD_LINE               2049
#define IDS_HELP_EDIT_LINE              2050
#define IDS_HELP_REMOVE_LINE            2051
#define IDS_HELP_LINE_LABEL             2052
#define IDS_HELP_LINE_KIND              2053
#define IDS_HELP_LINE_SOURCE            2054
#define IDS_HELP_LINE_VALUE             2055
#define IDS_HELP_SET_BY_POLICY          2056
#define IDS_HELP_LINES_SET_BY_POLICY    2057
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
#define IDS_MSG_REMOVE_LINE             10017
