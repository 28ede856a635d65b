// Resource ids of Yorewind. Included by the resource script and the code.
#pragma once

// Icons
#define IDI_YOREWIND 107
#define IDI_SMALL 108

// Menus and commands
#define IDC_YOREWIND 109 // menu and accelerator table
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_OPTIONS 32779
#define IDM_MORE 32781
#define IDM_DONATE 32783

// Dialogs and controls
#define IDD_ABOUTBOX 103
#define IDD_OPTIONS 129
#define IDC_BROWSE 1000
#define IDC_PICTUREPATH 1001
// The level radios are consecutive: the radio of level L is IDC_LEVEL_BASE + L.
#define IDC_LEVEL_BASE 1004
#define IDC_LEVEL_EASY 1005
#define IDC_LEVEL_NORMAL 1006
#define IDC_LEVEL_HARD 1007
#define IDC_LEVEL_VERYHARD 1008

// Strings
#define IDS_APP_TITLE 103
#define IDS_CLASS_NAME 109

// Sounds (resource type "WAVE")
#define IDW_COMPLETE 132
#define IDW_MATCH 133
#define IDW_MISS 134
#define IDW_TURN 135
