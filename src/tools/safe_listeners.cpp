#include "tools/safe_listeners.h"

#include "model/alarm_fields.h"
#include "model/card_clipboard.h"
#include "store/safe_lifecycle.h"
#include "tools/drop_window.h"
#include "tools/recover_file.h"

namespace {
class ToolListener : public SafeListener {
  public:
    void SafeEvent(SW_EVENT event, const char *) override {
        if (event == SW_EVENT_OPENED) {
            AW_CheckAlarms();
            REC_OfferAfterOpen();
            DW_FillList();
            DW_ShowCounts();
        } else if (event == SW_EVENT_CLOSED) {
            AW_ReleaseAlarmTable(); // the marks belong to that safe's cards
            CW_ClearCutCard();
            DW_ListClear();
        }
    }
};
} // namespace

void TL_InstallSafeListeners() {
    static ToolListener listener;
    SW_AddListener(&listener);
}
