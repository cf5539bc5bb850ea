// The tools' part in the life of a safe: when one opens its alarms due today
// are announced and collected, the recovery file is offered where the drop file
// is missing, and the drop window shows the droplist; when it closes the alarm
// marks go and the drop window's list is emptied.
#pragma once

// Installed once at start, before the windows listen: the tree then shows the
// alarms found.
void TL_InstallSafeListeners();
