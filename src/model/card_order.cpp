#include "model/card_order.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/dumps.h"
#include "model/folders.h"
#include "model/order_array.h"
#include "platform/uiport.h"

namespace {
uint32_t &Order(KARTE &k) { return k.nKartenOrder; }
} // namespace

DLG_ANSWER CW_OrderBegin(CW_ORDERLIST *list, TREEHANDLE hFolder) {
    list->lpKarten = nullptr;
    list->nCount = 0;
    int folder = OW_GetOrdnerId(hFolder);
    if (folder < 0)
        return DLG_Close(DLG_CLOSE_CANCEL);
    const uint32_t id = static_cast<uint32_t>(folder);
    list->nOrdnerKennung = id;
    list->lpKarten = OA_Copy(
        lpKARTEstart, [id](const KARTE *k) { return k->nOrdnerKennung == id; }, Order, &list->nCount, "CW_M_20");
    if (!list->lpKarten)
        return {DLG_CLOSE_CANCEL, "folder is empty", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION, 0};
    return {DLG_NEXT, nullptr, nullptr, 0, 0};
}

int CW_OrderCanUp(const CW_ORDERLIST *list, int line) {
    return line > 0 && static_cast<uint32_t>(line) < list->nCount;
}

int CW_OrderCanDown(const CW_ORDERLIST *list, int line) {
    return line >= 0 && static_cast<uint32_t>(line) + 1 < list->nCount;
}

int CW_OrderUp(CW_ORDERLIST *list, int line) { return OA_Move(list->lpKarten, list->nCount, line, -1, Order); }
int CW_OrderDown(CW_ORDERLIST *list, int line) { return OA_Move(list->lpKarten, list->nCount, line, +1, Order); }

void CW_OrderOk(CW_ORDERLIST *list) {
    if (!list->lpKarten)
        return;
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP S B");
    const uint32_t id = list->nOrdnerKennung;
    OA_CopyBack(
        lpKARTEstart, [id](const KARTE *k) { return k->nOrdnerKennung == id; }, list->lpKarten, list->nCount);
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP S E");
    CW_OrderCancel(list);
    UI_RebuildTree();
}

void CW_OrderCancel(CW_ORDERLIST *list) {
    if (list->lpKarten)
        T_Free("CW_F_20", list->lpKarten);
    list->lpKarten = nullptr;
    list->nCount = 0;
}
