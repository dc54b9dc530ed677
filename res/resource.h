// Resource and control ids, defined once for the resource script, the Win32
// code and the window's layout (ui/SkinLayout.h).
#pragma once

#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDR_MAINICON 128
#define IDR_TRAYMENU 228
#define IDS_ABOUTBOX 101
#define IDS_SOCKETS_FAILED 103

#define IDM_ABOUTBOX 16
#define ID_TRAY_RESTORE 32771
#define ID_TRAY_EXIT 32772
#define ID_TRAY_PROFILE_0 32780  // to 32786: the seven software profiles

#define IDC_SLIDER_X 1000
#define IDC_CLEAR 1001
#define IDC_ENABLE 1002
#define IDC_MINIMIZE 1003
#define IDC_BUTTON_LIST_0 1004
#define IDC_BUTTON_LIST_1 1005
#define IDC_BUTTON_LIST_2 1006
#define IDC_BUTTON_LIST_3 1007
#define IDC_BUTTON_LIST_4 1008
#define IDC_BUTTON_LIST_5 1009
#define IDC_BUTTON_LIST_6 1010
#define IDC_BUTTON_LIST_7 1011
#define IDC_BUTTON_LIST_8 1012
#define IDC_BUTTON_LIST_9 1013
#define IDC_NAME_EDIT 1014
#define IDC_HIDE 1015
#define IDC_SLIDER_Y 1016
#define IDC_TIE_XY 1017
#define IDC_MACRO_LIST 1018
#define IDC_MACRO_SCROLL 1019
#define IDC_SENSOR_LISTING 1020
#define IDC_RENAME_EDIT 1021
#define IDC_RECORD 1022
#define IDC_NUMBER_EDIT 1023
#define IDC_EXPORT 1024
#define IDC_IMPORT 1025
#define IDC_BACKUP 1026
#define IDC_RESTORE 1027
#define IDC_RESET 1028
#define IDC_BUTTON_LIST_10 1029
#define IDC_BUTTON_LIST_11 1030

#define IDC_ABOUT_TITLE 1100
#define IDC_ABOUT_VERSION 1101
