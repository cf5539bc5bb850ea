// The windows that fill a safe: folders, cards, their field editors, templates,
// icons and categories. The control numbers are the ones the core's dialog
// logic names (model/field_editor.h, folder_ops.h, card_ops.h, ...); the
// procedures check at compile time that both agree.
#pragma once

// Dialogs.
#define IDD_CREATEFOLDER 190   // "Create Folder"
#define IDD_FOLDERSETTINGS 192 // "Folder - Settings": the field-description editor
#define IDD_CARDDEFINITION 193 // "Card - Definition": the card field editor
#define IDD_NEWCARD 194        // "Card" for a new card, with "Fieldstructure"
#define IDD_ICONLIST 195       // "List of icons"
#define IDD_CHOOSETEMPLATE 196 // the template chooser
#define IDD_CHOOSECARD 197     // the card chooser
#define IDD_FOLDERORDER 198    // "Change folder order"
#define IDD_CARDORDER 199      // "Change card order"
#define IDD_EDITCATEGORY 202   // "Modify Category"
#define IDD_CATEGORY 203       // "Category"
#define IDD_CHANGECARD 204     // "Card" for a changed card: name and icon
#define IDD_FOLDERTEMPLATES 219

// The field-description editors.
#define IDC_FE_NAME 1042
#define IDC_FE_TYPE 1043
#define IDC_FE_LENGTH 1044
#define IDC_FE_LIST 1046
#define IDC_FE_NEWFIELD 1048
#define IDC_FE_FIELDNAME 1049
#define IDC_FE_DRAG 1050
#define IDC_FE_CREATE 1052
#define IDC_FE_FIELDCANCEL 1053
#define IDC_FE_SELECTICON 1054
#define IDC_FE_APPLY 1055
#define IDC_FE_ICON 1062
#define IDC_FE_UP 1063
#define IDC_FE_DOWN 1065
#define IDC_FE_DELETE 1066
#define IDC_FE_CHANGE 1067
#define IDC_FE_CARD_ICON 1087
#define IDC_FE_CARDNAME 1180
#define IDC_FE_CARD_SELECTICON 1185

// "Create Folder".
#define IDC_OW_FOLDERNAME 1042
#define IDC_OW_TEMPLATE 1066
#define IDC_OW_LIST 1067

// "Card".
#define IDC_CW_CARDNAME 1085
#define IDC_CW_CHOOSEICON 1086
#define IDC_CW_ICON 1087
#define IDC_CW_FROM_FOLDER 1179
#define IDC_CW_FROM_CARD 1180
#define IDC_CW_FROM_TEMPLATE 1181
#define IDC_CW_FROM_NEW 1182

// The icon chooser, the template and card choosers (a list of names and the
// field list of the one selected).
#define IDC_IL_LIST 1190
#define IDC_TC_LIST 1041
#define IDC_TC_FIELDS 1181

// The order dialogs.
#define IDC_OW_ORDERLIST 1164
#define IDC_OW_UP 1167
#define IDC_OW_DOWN 1168
#define IDC_CW_ORDERLIST 1169
#define IDC_CW_UP 1170
#define IDC_CW_DOWN 1171

// "Foldertemplates".
#define IDC_TW_EXISTING 1035
#define IDC_TW_BROWSE 1036
#define IDC_TW_NEWNAME 1037
#define IDC_TW_CREATE 1038

// The category dialogs.
#define IDC_CC_LIST 1201
#define IDC_CC_NAME 1202
#define IDC_CC_DELETE 1203
#define IDC_CC_NEW 1205
#define IDC_CC_CHOICE 1208
