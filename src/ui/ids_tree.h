// Tree and card list: context menus, images, cursors, the dialogs of the panes.
#pragma once

#include "platform/command_ids.h"

// Context menus of the tree (their commands, in platform/command_ids.h, go to the tree pane).
#define IDM_CARDMENU 149
#define IDM_FOLDERMENU 150
#define IDM_SAFEMENU 152

// The tree's fixed images, in image list order.
#define IDI_TV_SAFE 142
#define IDI_TV_FOLDER 140
#define IDI_TV_CARD 164
#define IDI_TV_FIELD 165
#define IDI_TV_URL 200
#define IDI_TV_LOCK 245
#define IDI_TV_ALARM 213

// The pointer while a card or field is dragged out of the tree.
#define IDC_TV_DRAG 160

// The card list's in-place editor and its browse button.
#define IDC_LV_EDIT 800
#define IDC_LV_BROWSE 801

// "Alarm Date": day, month and year lists.
#define IDD_ALARMDATE 212
#define IDC_AD_DAY 1150
#define IDC_AD_MONTH 1151
#define IDC_AD_YEAR 1152
