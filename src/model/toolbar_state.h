// The main window's toolbar as data: its 25 buttons, their tooltips and the
// enable mask that decides which ten of them can be pressed. The window layer
// creates the buttons from this table and applies the mask after every change.
#pragma once

#include "platform/command_ids.h"

#include <cstdint>

#define TB_BUTTON_COUNT 25
#define TB_SEPARATOR 0u      // the command of a separator
#define TB_START_MASK 0x2043u // after creation only the five always-enabled buttons work

// Bits of the enable mask, one per masked button (named after its command).
enum : uint32_t {
    TB_BIT_CHANGECARD = 0x0004,
    TB_BIT_DISPLAYCARD = 0x0008,
    TB_BIT_SHOWCRYPTED = 0x0010,
    TB_BIT_HIDECRYPTED = 0x0020,
    TB_BIT_SEARCH = 0x0080,
    TB_BIT_CLOSETREES = 0x0100,
    TB_BIT_SAVEDESKTOP = 0x0200,
    TB_BIT_RESTOREDESKTOP = 0x0400,
    TB_BIT_CREATENOTE = 0x0800,
    TB_BIT_NOTES = 0x1000,
};

struct TB_BUTTON {
    int32_t image;       // index in the bitmap strip; -1 for a separator
    uint32_t command;    // TB_SEPARATOR for a separator
    const char *tooltip; // nullptr for a separator
};

extern const TB_BUTTON TB_Buttons[TB_BUTTON_COUNT];
uint32_t TB_Mask();
// Back to TB_START_MASK, as for a new main window.
void TB_ResetMask();

// The tooltip of a command, or nullptr for one the toolbar does not have.
const char *TB_TooltipText(uint32_t command);
// The mask bit that enables a button; 0 for the five always enabled (and for
// commands the toolbar does not have).
uint32_t TB_MaskBit(uint32_t command);
// Whether the button of a command is enabled under the current mask.
int TB_IsEnabled(uint32_t command);
// Sets (on) or clears bits of the mask.
void TB_SetBits(uint32_t bits, int on);

// The changes of the state operations, each a set and a cleared part.
struct TB_CHANGE {
    uint32_t set, clear;
};
enum TB_STATE {
    TB_STATE_DISPLAYMODE,   // the card view shows a card: change allowed, display not
    TB_STATE_CHANGEMODE,    // the card list edits a card: display allowed, change not
    TB_STATE_NOCARD,        // no card selected: neither
    TB_STATE_DROPHIDDEN,    // the drop window is hidden: it can be shown
    TB_STATE_DROPSHOWN,     // it is shown: it can be hidden
    TB_STATE_DROPLIST,      // its list was created: neither until it is shown or hidden
    TB_STATE_SAFEOPEN,      // a safe was opened or created: search, close trees, desktop save, notes
    TB_STATE_SAFECLOSED,    // no safe: all of those and the card modes off
};
TB_CHANGE TB_StateChange(TB_STATE state);
// Applies a state operation to the mask.
void TB_ApplyState(TB_STATE state);
