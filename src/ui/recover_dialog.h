// The "Recover" dialog: the backups of BackupPath, oldest first, one to choose
// and bring back as the safe. The core runs it through its recover view.
#pragma once

#include "tools/recover_list.h"

// The view the main window registers while it exists.
RecoverView *RD_View();
