// The note windows: their text, their colour menu and the note alarm dialog.
#pragma once

// The rich edit that holds a note's text.
#define IDC_NT_TEXT 1400

// The note's context menu: alarm and colours.
#define IDM_NOTEMENU 253
#define IDM_NT_ALARM 1401
#define IDM_NT_BACKGROUND 1402
#define IDM_NT_TEXTCOLOR 1403

// "Alarm date / time": day, month, year, hour and minute lists, "AM", "PM" and
// "Alarm off  ".
#define IDD_NOTEALARM 258
#define IDC_NA_DAY 1404
#define IDC_NA_MONTH 1405
#define IDC_NA_YEAR 1406
#define IDC_NA_HOUR 1407
#define IDC_NA_MINUTE 1408
#define IDC_NA_AM 1409
#define IDC_NA_PM 1410
#define IDC_NA_OFF 1411
