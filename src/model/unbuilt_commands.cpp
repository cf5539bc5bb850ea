#include "model/unbuilt_commands.h"

#include "platform/command_ids.h"

namespace {
// A menu command and its twin on the toolbar, tray or context menu open one
// window: they leave the table together.
const unsigned kUnbuilt[] = {
    IDT_CREATENOTE,      IDM_TRAYCREATENOTE,    // note windows
    IDT_NOTES,           IDM_TRAYNOTES,
};
} // namespace

int UC_IsUnbuilt(unsigned command) {
    for (unsigned id : kUnbuilt)
        if (id == command)
            return 1;
    return 0;
}
