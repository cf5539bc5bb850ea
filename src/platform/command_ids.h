// Command ids of the menu bar, the toolbar, the tray menu and the tree's context
// menus: the one place they are defined. The resource scripts, the windows and
// the core all take them from here, so this header holds plain defines only
// (the resource compiler reads it too).
#pragma once

// Menu bar, toolbar and tray menu: commands of the main window.
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
#define IDT_SHOWCRYPTED 2004 // "display crypted files"
#define IDT_HIDECRYPTED 2005 // "hide crypted files"
#define IDT_OPTIONS 2006
#define IDT_HELPFILE 2007
#define IDT_QUICKWIN 2008
#define IDT_SEARCH 2009
#define IDT_CLOSETREES 2010
#define IDT_SAVEDESKTOP 2011
#define IDT_RESTOREDESKTOP 2012
#define IDT_CREATENOTE 2013
#define IDT_NOTES 2014 // "Hide/display notes"

// The tree's context menus: commands of the tree pane. "Create/Change password"
// shares its number with "Helpfile"; they never reach the same window.
#define IDM_TV_CREATEFOLDER 32780
#define IDM_TV_CREATECARD 32783
#define IDM_TV_DELETEFOLDER 32784
#define IDM_TV_DELETECARD 32785
#define IDM_TV_CHANGECARD 32786
#define IDM_TV_CHANGEFOLDER 32787
#define IDM_TV_PASSWORD 32796
#define IDM_TV_FOLDERORDER 32808
#define IDM_TV_CARDORDER 32812
#define IDM_TV_FOLDERCATEGORY 32817
#define IDM_TV_CARDCATEGORY 32819
#define IDM_TV_CUTCARD 32838
#define IDM_TV_PASTECARD 32839
