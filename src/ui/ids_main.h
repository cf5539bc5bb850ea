// Main window: menu 148, toolbar, accelerators, program icon, about box.
#pragma once

#include "platform/command_ids.h"

// Images.
#define IDI_PROGRAM 107
#define IDI_TRACE 210    // status bar part 0 while tracing is on
#define IDC_HANDLINK 216 // the pointer over a link
#define IDB_TOOLBAR 166  // 15 images of 16 x 16
#define IDB_SPLASH 167   // shown for a moment at start
#define IDB_TOOLBAR24 168 // the toolbar strip drawn at 24, 32 and 48 pixels
#define IDB_TOOLBAR32 169
#define IDB_TOOLBAR48 172

// Menu bar and its keys.
#define IDM_MAINMENU 148
#define IDA_MAIN 170 // accelerators of the main window

// Controls of the main window and its companions.
#define IDC_STATUSBAR 1001
#define IDC_DROPSTATUS 1003   // the drop window's status bar
#define IDC_SEARCHSTATUS 1004 // the search results window's status bar
#define IDC_TOOLBAR 1002
#define IDC_CATEGORYCOMBO 803

// About box.
#define IDD_ABOUT 184
#define IDC_ABOUT_ICON 2 // the program icon (Escape still arrives as command 2)
#define IDC_ABOUT_LINK 1117
#define IDC_ABOUT_VERSION 1119

// Splash window.
#define IDD_SPLASH 185
#define IDC_SPLASH_PICTURE 1121
