// The desktop profile dialog: save and restore the places of the desktop's icons.
#pragma once

#define IDD_DTPROFILE 312
#define IDC_DT_LIST 1311   // the profiles
#define IDC_DT_NAME 1312   // "Profilename:"
#define IDC_DT_DELETE 1313 // "Delete"
