// The note alarm dialog ("Alarm date / time") over its state in the core.
#pragma once

#include "tools/note_alarms.h"
#include "ui/ui_globals.h"

// Runs the dialog owned by the note's window; the answer goes into request's
// result (with a new alarm its date and time). Cancel when it cannot be shown.
void NT_AlarmDialog(HWND note, NW_ALARMREQUEST *request);
