// The safe dialogs: create, open, enter password, change password.
#pragma once

#define IDD_CREATESAFE 120     // "Create New Safe"
#define IDD_OPENSAFE 121       // "open safe"
#define IDD_ENTERPASSWORD 122  // "Enter Safe - Password"
#define IDD_CHANGEPASSWORD 123 // "Safe Password"

// Controls; each dialog uses the ids of the fields it has.
#define IDC_SD_NAME 1101        // create: the new safe's name (40 characters)
#define IDC_SD_SAFENAME 1102    // enter / change password: the safe's name, shown
#define IDC_SD_PATH 1103        // open: the safe's name or path (260 characters)
#define IDC_SD_BROWSE 1104      // open: ". . ." picks a safe file
#define IDC_SD_PASSWORD 1105    // the password (32 characters accepted, 31 taken)
#define IDC_SD_CONFIRM 1106     // its confirmation
#define IDC_SD_NOPASSWORD 1107  // "without Password" / "Without password "
#define IDC_SD_AUTOMATIC 1108   // "Automatic": a generated password in both fields

#define SD_NAME_LIMIT 40
#define SD_PATH_LIMIT 260
#define SD_PASSWORD_LIMIT 32 // what the field accepts
#define SD_PASSWORD_READ 32  // the buffer it is read with: 31 characters and the zero
