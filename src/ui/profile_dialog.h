// The desktop profile dialog: the safe's profiles listed, one chosen or named
// anew, deleted on request. The core runs it through its profile view.
#pragma once

#include "tools/desktop_icons.h"

// The view the main window registers while it exists.
ProfileView *PD_View();
