// The "Search" dialog and the search results window.
#pragma once

// "Search": the text and the three option boxes.
#define IDD_SEARCH 245
#define IDC_SE_TEXT 1209
#define IDC_SE_SEARCH 1210
#define IDC_SE_FOLDERS 1211
#define IDC_SE_CARDS 1212
#define IDC_SE_CONTENT 1213

// The results window's list (its status bar is IDC_SEARCHSTATUS).
#define IDC_SEARCHLIST 1006

// The kinds of hit, in the list's image order: folder, card, content.
#define IDI_SE_FOLDER 171
#define IDI_SE_CARD 170
#define IDI_SE_CONTENT 244
