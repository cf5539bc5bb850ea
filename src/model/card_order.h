// "Change card order": the cards of one folder in an array, moved with "up" and
// "down"; OK gives the folder's cards the array's order.
#pragma once

#include "model/dialog_answer.h"
#include "model/records.h"

#include <cstdint>

// Control identifiers of the dialog.
enum { CW_ID_ORDERLIST = 1169, CW_ID_UP = 1170, CW_ID_DOWN = 1171 };

struct CW_ORDERLIST {
    KARTE *lpKarten; // copies of the folder's cards, in the order shown
    uint32_t nCount;
    uint32_t nOrdnerKennung;
};

// Copies the cards of a folder's tree item. DLG_NEXT: show the dialog; a folder
// without cards answers "folder is empty" (a notice) and the dialog closes.
DLG_ANSWER CW_OrderBegin(CW_ORDERLIST *list, TREEHANDLE hFolder);
int CW_OrderCanUp(const CW_ORDERLIST *list, int line);
int CW_OrderCanDown(const CW_ORDERLIST *list, int line);
int CW_OrderUp(CW_ORDERLIST *list, int line);
int CW_OrderDown(CW_ORDERLIST *list, int line);
void CW_OrderOk(CW_ORDERLIST *list);
void CW_OrderCancel(CW_ORDERLIST *list);
