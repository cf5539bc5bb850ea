// "Change folder order": the folders in an array, moved with "up" and "down";
// OK gives the folder list the array's order.
#pragma once

#include "model/records.h"

#include <cstdint>

// Control identifiers of the dialog.
enum { OW_ID_ORDERLIST = 1164, OW_ID_UP = 1167, OW_ID_DOWN = 1168 };

struct OW_ORDERLIST {
    ORDNER *lpOrdner; // copies of the folders, in the order shown
    uint32_t nCount;
};

// Copies the folders; 0, or -1 when there are none.
[[nodiscard]] int OW_OrderBegin(OW_ORDERLIST *list);
// Whether "up" and "down" are enabled with a line selected.
int OW_OrderCanUp(const OW_ORDERLIST *list, int line);
int OW_OrderCanDown(const OW_ORDERLIST *list, int line);
// Moves a line; answers its new line, to be selected again.
int OW_OrderUp(OW_ORDERLIST *list, int line);
int OW_OrderDown(OW_ORDERLIST *list, int line);
// OK: the folder list takes the array's order and the tree is refilled. Both end the array.
void OW_OrderOk(OW_ORDERLIST *list);
void OW_OrderCancel(OW_ORDERLIST *list);
