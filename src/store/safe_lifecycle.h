// Opening, creating, closing a safe and changing its password: the working copy
// a safe is read into, and the step that makes it the active safe. The dialogs
// are thin: they read their fields and call the functions here, which show the
// messages and answer whether the dialog may close.
#pragma once

#include <cstdint>

// What happened to the active safe, announced to every listener in the order
// the listeners were added, with the safe's path.
enum SW_EVENT {
    SW_EVENT_OPENED,         // a safe was read and is active
    SW_EVENT_CREATED,        // a new, empty safe is active
    SW_EVENT_CLOSED,         // the active safe is gone (its lists are about to go)
    SW_EVENT_NOTES_LOADED,   // the notes of a safe being opened were read
    SW_EVENT_PROFILES_LOADED // its desktop profiles were read
};
class SafeListener {
  public:
    virtual ~SafeListener();
    virtual void SafeEvent(SW_EVENT event, const char *path) = 0;
};
// How many times a safe was closed since the program started: a dialog that
// began under an open safe knows by it that the safe went meanwhile.
uint32_t SW_ClosedCount();
// A listener is added once (adding it again changes nothing); at most 16.
void SW_AddListener(SafeListener *listener);
void SW_RemoveListener(SafeListener *listener);

// Opens the safe at path: asks for its password when it has one, checks it,
// writes and closes the active safe, reads the new one and makes it active.
// The active safe is untouched until the new safe's password is proven.
[[nodiscard]] int SW_GetSafe(const char *path);
// Closes the active safe; save 1 writes it first. -1 when that write failed:
// the safe then stays open.
[[nodiscard]] int SW_CloseSafe(int save);
void SW_CopyTemp2Act();
void SW_CloseWorkSafe();
// The part of a path after its last separator: the name shown for a safe.
const char *SW_ExtractSafeName(const char *path);

// Which field of a dialog gets the focus when the dialog stays open.
enum SW_FOCUS { SW_FOCUS_NONE, SW_FOCUS_NAME, SW_FOCUS_PASSWORD, SW_FOCUS_PATH };

// "Create New Safe", OK: 0 closes the dialog; -1 keeps it, focus in *focus.
[[nodiscard]] int SW_CreateSafeOK(const char *name, const char *password, const char *confirm, bool withoutPassword,
                    SW_FOCUS *focus);

// "open safe": the ". . ." button may show the file dialog (0) or not (-1, told why).
[[nodiscard]] int SW_OpenSafeBrowse();
// "open safe", OK with the field's text: 0 closes the dialog; -1 keeps it.
[[nodiscard]] int SW_OpenSafeOK(const char *text, SW_FOCUS *focus);
// The path a text of the open dialog stands for: a bare name lies in SafePath
// with ".saf" appended, anything with a drive or a separator is taken as it is.
void SW_BuildSafePath(const char *text, char *path, unsigned size);

// "Create/Change password": refused (-1, told why) while files are in the droplist.
[[nodiscard]] int SW_ChangePasswordAllowed();
// Its OK: 0 sets the active password (an empty one means no password); -1 keeps the dialog.
[[nodiscard]] int SW_ChangePasswordOK(const char *password, const char *confirm, bool withoutPassword, SW_FOCUS *focus);

// At start: opens LastSafe when OpenLastSafe is on; a failure clears LastSafe.
[[nodiscard]] int SW_OpenLastSafe();
