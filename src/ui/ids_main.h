// Main window: menu 148, toolbar, commands, program icon, about box.
#pragma once

// Images.
#define IDI_PROGRAM 107
#define IDI_TRACE 210    // status bar part 0 while tracing is on
#define IDC_HANDLINK 216 // the pointer over a link
#define IDB_TOOLBAR 166  // 15 images of 16 x 16
#define IDB_SPLASH 167   // shown for a moment at start

// Menu bar.
#define IDM_MAINMENU 148

// Controls of the main window.
#define IDC_STATUSBAR 1001
#define IDC_TOOLBAR 1002
#define IDC_CATEGORYCOMBO 803

// Commands of the menu bar, the toolbar and the tray menu.
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_OPENSAFE 32773
#define IDM_CREATESAFE 32774
#define IDM_OPTIONS 32775
#define IDM_FOLDERTEMPLATES 32782
#define IDM_TRAYEXIT 32788
#define IDM_HELPFILE 32796
#define IDM_RECOVERSAFE 32797
#define IDM_BACKUPSAFE 32798
#define IDM_UPDATE 32799
#define IDM_CLOSESAFE 32800
#define IDM_CREATEFOLDER 32802
#define IDM_CREATECARD 32803
#define IDM_SAVEPDA 32805
#define IDM_FOLDERORDER 32806
#define IDM_TRAYABOUT 32813
#define IDM_TRAYHELP 32814
#define IDM_CATEGORIES 32815
#define IDM_CHANGEPASSWORD 32828
#define IDM_TRAYNOTES 32831
#define IDM_TRAYCREATENOTE 32832
#define IDT_DISPLAYCARD 2002
#define IDT_CHANGECARD 2003
#define IDT_SHOWCRYPTED 2004
#define IDT_HIDECRYPTED 2005
#define IDT_OPTIONS 2006
#define IDT_HELPFILE 2007
#define IDT_QUICKWIN 2008
#define IDT_SEARCH 2009
#define IDT_CLOSETREES 2010
#define IDT_SAVEDESKTOP 2011
#define IDT_RESTOREDESKTOP 2012
#define IDT_CREATENOTE 2013
#define IDT_NOTES 2014

// About box.
#define IDD_ABOUT 184
#define IDC_ABOUT_ICON 2 // the program icon (Escape still arrives as command 2)
#define IDC_ABOUT_LINK 1117
#define IDC_ABOUT_VERSION 1119

// Splash window.
#define IDD_SPLASH 185
#define IDC_SPLASH_PICTURE 1121
