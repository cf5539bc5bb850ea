#include "model/folder_order.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/dumps.h"
#include "model/order_array.h"
#include "platform/uiport.h"

namespace {
bool Any(const ORDNER *) { return true; }
uint32_t &Order(ORDNER &o) { return o.nOrdnerOrder; }
} // namespace

int OW_OrderBegin(OW_ORDERLIST *list) {
    list->lpOrdner = OA_Copy(lpORDNERstart, Any, Order, &list->nCount, "OW_M_20");
    return list->lpOrdner ? 0 : -1;
}

int OW_OrderCanUp(const OW_ORDERLIST *list, int line) {
    return line > 0 && static_cast<uint32_t>(line) < list->nCount;
}

int OW_OrderCanDown(const OW_ORDERLIST *list, int line) {
    return line >= 0 && static_cast<uint32_t>(line) + 1 < list->nCount;
}

int OW_OrderUp(OW_ORDERLIST *list, int line) { return OA_Move(list->lpOrdner, list->nCount, line, -1, Order); }
int OW_OrderDown(OW_ORDERLIST *list, int line) { return OA_Move(list->lpOrdner, list->nCount, line, +1, Order); }

void OW_OrderOk(OW_ORDERLIST *list) {
    if (!list->lpOrdner)
        return;
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFolders("DMP S B");
    OA_CopyBack(lpORDNERstart, Any, list->lpOrdner, list->nCount);
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFolders("DMP S E");
    OW_OrderCancel(list);
    UI_RebuildTree();
}

void OW_OrderCancel(OW_ORDERLIST *list) {
    if (list->lpOrdner)
        T_Free("OW_F_20", list->lpOrdner);
    list->lpOrdner = nullptr;
    list->nCount = 0;
}
