// What every modal dialog of the program shares: who owns it, where it sits,
// the focus, carrying out what the core answered, and blanking secret edits.
#pragma once

#include "model/dialog_answer.h"
#include "ui/ui_globals.h"

#include <commctrl.h>

// Runs a modal dialog of the program's resources. It belongs to the dialog on
// top that was run through here, else to the main window, and while it is up it
// owns what is shown next: message boxes of the UI port and nested dialogs, so
// the dialog under them cannot be used before they are answered. Answers what
// the dialog ended with, or -1 when it could not be shown.
INT_PTR DU_RunDialog(int id, DLGPROC proc, LPARAM param);
// A dialog that changes the open safe's records. Should the safe be closed
// while it is up (the inactivity time-out), its OK changes nothing: the user is
// told "The safe was closed meanwhile,\nnothing was changed." and the dialog's
// own Cancel ends it. Without an open safe at its start it is a plain dialog.
#define DU_TEXT_SAFECLOSED "The safe was closed meanwhile,\nnothing was changed."
INT_PTR DU_RunSafeDialog(int id, DLGPROC proc, LPARAM param);
// The same owned by a window of the caller's choosing (a note's dialog belongs
// to the note, which stays disabled under it).
INT_PTR DU_RunDialogOwned(int id, HWND owner, DLGPROC proc, LPARAM param);
// Runs a modal property sheet the same way: owned by the dialog on top (unless
// the sheet names its owner), and owning the message boxes its pages show. Answers what PropertySheetA answers.
INT_PTR DU_RunPropertySheet(PROPSHEETHEADERA *sheet);
// The window a message box or dialog shown now belongs to (null when there is
// neither such a dialog nor a main window).
HWND DU_Owner();
// Centres a dialog on its owner, or on the work area when the owner is missing,
// hidden or minimised; never above or left of the screen's origin.
void DU_CentreOnOwner(HWND hDlg);
// Gives a control the focus as the dialog manager does, default button included.
void DU_Focus(HWND hDlg, int id);
// Carries out the core's answer to a button: its message first, then the dialog
// ends as asked or stays with the focus on the control named. Answers the action;
// DLG_NEXT is the caller's to carry out.
int DU_ApplyAnswer(HWND hDlg, const DLG_ANSWER &answer);
// Blanks an edit that held a secret: the control keeps its own copy of what was
// typed, which must not linger in freed memory. Call it before the dialog goes.
void DU_WipeEdit(HWND hDlg, int id);
// The same for any edit or rich edit control: each character is replaced where
// it stands, so the control's own buffer is overwritten rather than freed whole.
void DU_WipeEditControl(HWND hCtl);
