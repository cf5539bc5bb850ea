#include "model/toolbar_state.h"

const TB_BUTTON TB_Buttons[TB_BUTTON_COUNT] = {
    {-1, TB_SEPARATOR, nullptr},
    {0, IDM_CREATESAFE, "create safe"},
    {1, IDM_OPENSAFE, "open safe"},
    {-1, TB_SEPARATOR, nullptr},
    {2, IDT_CHANGECARD, "change card content"},
    {3, IDT_DISPLAYCARD, "display card content"},
    {-1, TB_SEPARATOR, nullptr},
    {4, IDT_SHOWCRYPTED, "display crypted files"},
    {5, IDT_HIDECRYPTED, "hide crypted files"},
    {-1, TB_SEPARATOR, nullptr},
    {6, IDT_OPTIONS, "Options"},
    {-1, TB_SEPARATOR, nullptr},
    {7, IDT_QUICKWIN, "Quickwin"},
    {-1, TB_SEPARATOR, nullptr},
    {8, IDT_SEARCH, "Search"},
    {-1, TB_SEPARATOR, nullptr},
    {9, IDT_CLOSETREES, "Close Trees"},
    {-1, TB_SEPARATOR, nullptr},
    {10, IDT_SAVEDESKTOP, "Save desktop icon position"},
    {11, IDT_RESTOREDESKTOP, "Restore desktop icon position"},
    {-1, TB_SEPARATOR, nullptr},
    {12, IDT_CREATENOTE, "Create note"},
    {13, IDT_NOTES, "Hide/display notes"},
    {-1, TB_SEPARATOR, nullptr},
    {14, IDT_HELPFILE, "Helpfile"},
};

namespace {
uint32_t dwToolbarMask = TB_START_MASK;
}

uint32_t TB_Mask() { return dwToolbarMask; }
void TB_ResetMask() { dwToolbarMask = TB_START_MASK; }

const char *TB_TooltipText(uint32_t command) {
    if (command == TB_SEPARATOR)
        return nullptr;
    for (const TB_BUTTON &b : TB_Buttons)
        if (b.command == command)
            return b.tooltip;
    return nullptr;
}

uint32_t TB_MaskBit(uint32_t command) {
    switch (command) {
    case IDT_CHANGECARD: return TB_BIT_CHANGECARD;
    case IDT_DISPLAYCARD: return TB_BIT_DISPLAYCARD;
    case IDT_SHOWCRYPTED: return TB_BIT_SHOWCRYPTED;
    case IDT_HIDECRYPTED: return TB_BIT_HIDECRYPTED;
    case IDT_SEARCH: return TB_BIT_SEARCH;
    case IDT_CLOSETREES: return TB_BIT_CLOSETREES;
    case IDT_SAVEDESKTOP: return TB_BIT_SAVEDESKTOP;
    case IDT_RESTOREDESKTOP: return TB_BIT_RESTOREDESKTOP;
    case IDT_CREATENOTE: return TB_BIT_CREATENOTE;
    case IDT_NOTES: return TB_BIT_NOTES;
    default: return 0;
    }
}

int TB_IsEnabled(uint32_t command) {
    uint32_t bit = TB_MaskBit(command);
    return bit == 0 || (dwToolbarMask & bit) != 0;
}

void TB_SetBits(uint32_t bits, int on) {
    if (on)
        dwToolbarMask |= bits;
    else
        dwToolbarMask &= ~bits;
}

TB_CHANGE TB_StateChange(TB_STATE state) {
    const uint32_t cards = TB_BIT_CHANGECARD | TB_BIT_DISPLAYCARD;
    const uint32_t drop = TB_BIT_SHOWCRYPTED | TB_BIT_HIDECRYPTED;
    const uint32_t safe = TB_BIT_SEARCH | TB_BIT_CLOSETREES | TB_BIT_SAVEDESKTOP | TB_BIT_CREATENOTE | TB_BIT_NOTES;
    switch (state) {
    case TB_STATE_DISPLAYMODE: return {TB_BIT_CHANGECARD, TB_BIT_DISPLAYCARD};
    case TB_STATE_CHANGEMODE: return {TB_BIT_DISPLAYCARD, TB_BIT_CHANGECARD};
    case TB_STATE_NOCARD: return {0, cards};
    case TB_STATE_DROPHIDDEN: return {TB_BIT_SHOWCRYPTED, TB_BIT_HIDECRYPTED};
    case TB_STATE_DROPSHOWN: return {TB_BIT_HIDECRYPTED, TB_BIT_SHOWCRYPTED};
    case TB_STATE_DROPLIST: return {0, drop};
    case TB_STATE_SAFEOPEN: return {safe, 0};
    case TB_STATE_SAFECLOSED: return {0, safe | TB_BIT_RESTOREDESKTOP | cards};
    }
    return {0, 0};
}

void TB_ApplyState(TB_STATE state) {
    TB_CHANGE c = TB_StateChange(state);
    dwToolbarMask = (dwToolbarMask & ~c.clear) | c.set;
}
