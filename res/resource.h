/* Identifiers of Florrin's resources. Plain #defines: read by windres and by the C++ code. */
#pragma once

/* Dialogs, string, icon, caption menu */
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_CAPTION_MENU 222

/* The About entry of the system menu (its low four bits are free for the system). */
#define IDM_ABOUTBOX 16

/* Commands of the caption menu */
#define ID_MENU_CLOSE 32780
#define ID_MENU_ABOUT 32781
#define ID_MENU_MAXIMIZE 32782
#define ID_MENU_MINIMIZE 32783

/* Controls of the main dialog */
#define IDC_START 1001
#define IDC_DELETE 1002
#define IDC_DELETE_ALL 1003
#define IDC_SELECT_ALL 1004
#define IDC_SELECT_NONE 1005
#define IDC_RESULT_LIST 1007
#define IDC_OPTION_LIST 1008
#define IDC_STOP 1010
#define IDC_PAUSE 1011
#define IDC_PROGRESS 1015
#define IDC_STATUS_TEXT 1021
#define IDC_SCAN_NOW 1027
#define IDC_DIR_TREE 1030
#define IDC_TAB 1031
#define IDC_SHOP_LINK 1034

/* Busy animation frames: frame n (1 to 6) is IDB_BUSY_1 + n - 1. */
#define IDB_BUSY_1 192
#define IDB_BUSY_2 193
#define IDB_BUSY_3 194
#define IDB_BUSY_4 195
#define IDB_BUSY_5 196
#define IDB_BUSY_6 197

/* Caption frame */
#define IDB_BORDER_BOTTOM 200
#define IDB_CAPTION_CLOSE 201
#define IDB_CAPTION_CLOSE_HOT 202
#define IDB_BORDER_LEFT 203
#define IDB_CAPTION_LEFT 204
#define IDB_CAPTION_MIDDLE 205
#define IDB_CAPTION_MIN 206
#define IDB_CAPTION_MIN_HOT 207
#define IDB_BORDER_RIGHT 208
#define IDB_CAPTION_RIGHT 209
#define IDB_CAPTION_LOGO 210
#define IDB_CAPTION_MAX 218
#define IDB_CAPTION_MAX_HOT 219

/* Button faces */
#define IDB_BUTTON_SMALL 211
#define IDB_BUTTON_BIG 212
#define IDB_BUTTON_SMALL_HOT 216
#define IDB_BUTTON_BIG_HOT 217
