#include "model/tree_menus.h"

#include "model/card_clipboard.h"
#include "model/tree_build.h"

unsigned TM_MenuForKind(uint32_t kind) {
    switch (kind) {
    case TV_KIND_SAFE: return TM_MENU_SAFE;
    case TV_KIND_FOLDER: return TM_MENU_FOLDER;
    case TV_KIND_CARD: return TM_MENU_CARD;
    default: return 0;
    }
}

uint32_t TM_CountCards(uint32_t nOrdnerKennung) {
    uint32_t n = 0;
    for (const KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->nOrdnerKennung == nOrdnerKennung)
            ++n;
    return n;
}

namespace {
const ORDNER *FolderOfItem(TREEHANDLE hItem) {
    for (const ORDNER *o = lpORDNERstart; o && hItem; o = o->next)
        if (o->hOrdnerTree == hItem)
            return o;
    return nullptr;
}
} // namespace

int TM_IsGreyed(unsigned command, TREEHANDLE hSelected) {
    switch (command) {
    case IDM_TV_FOLDERORDER: {
        uint32_t n = 0;
        for (const ORDNER *o = lpORDNERstart; o; o = o->next)
            ++n;
        return n < 2;
    }
    case IDM_TV_CARDORDER: {
        const ORDNER *o = FolderOfItem(hSelected);
        return !o || TM_CountCards(o->nOrdnerKennung) < 2;
    }
    case IDM_TV_PASTECARD: return !CW_CanPasteCard(hSelected);
    default: return 0;
    }
}
