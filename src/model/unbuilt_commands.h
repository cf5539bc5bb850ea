// Commands not built yet, most of them waiting for their window. Every menu and
// the toolbar show them greyed whatever the program's state asks for, so no item
// does nothing when chosen; the work that builds one deletes it from the table.
#pragma once

// Whether a command (platform/command_ids.h) is still to be built.
int UC_IsUnbuilt(unsigned command);
