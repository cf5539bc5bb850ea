#include "tools/desktop_dialog.h"

#include "frame/datetext.h"
#include "model/desktop_profiles.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

const char *const DT_ProfileColumnTitles[DT_PROFILE_COLUMNS] = {"Profilename", "Created", "Computername", "Width",
                                                                "Height"};

namespace {
const int kColumnShares[DT_PROFILE_COLUMNS] = {30, 20, 30, 10, 10};

int Ask(const char *text) { return UI_MessageBox(text, "Confirm", UI_MB_YESNO | UI_MB_ICONQUESTION); }

void StampProfile(DTOPHEADER *h) {
    char today[9];
    T_TodayDDMMYYYY(today);
    memcpy(h->szCreated, today, sizeof h->szCreated);
    memset(h->szComputerName, 0, sizeof h->szComputerName);
    if (PL_GetComputerName(h->szComputerName, sizeof h->szComputerName) != 0)
        memset(h->szComputerName, 0, sizeof h->szComputerName);
    h->szComputerName[sizeof h->szComputerName - 1] = 0;
}
} // namespace

const char *DT_ProfileDialogTitle(uint32_t mode) {
    return mode == DT_MODE_RESTORE ? "Restore desktop icon positions" : "Save desktop icon positions";
}

void DT_ProfileColumnWidths(int clientWidth, int widths[DT_PROFILE_COLUMNS]) {
    for (int i = 0; i < DT_PROFILE_COLUMNS; ++i)
        widths[i] = clientWidth / 100 * kColumnShares[i] + 1;
}

void DT_FormatCreated(const char created[8], char out[11]) {
    if (!created[0]) {
        strcpy(out, "00/00/0000");
        return;
    }
    int day = T_TwoDigits(created), month = T_TwoDigits(created + 2);
    int year = T_TwoDigits(created + 4) * 100 + T_TwoDigits(created + 6);
    snprintf(out, 11, "%02d/%02d/%04d", month, day, year);
}

void DT_ProfileRow(const DTOPHEADER *h, DT_PROFILEROW *row) {
    memset(row, 0, sizeof *row);
    snprintf(row->szName, sizeof row->szName, "%.40s", h->szProfilName);
    DT_FormatCreated(h->szCreated, row->szCreated);
    snprintf(row->szComputer, sizeof row->szComputer, "%.30s", h->szComputerName);
    snprintf(row->szWidth, sizeof row->szWidth, "%04u", h->nWidth);
    snprintf(row->szHeight, sizeof row->szHeight, "%04u", h->nHeight);
    row->nProfilIndex = h->nProfilIndex;
}

int DT_ProfileDialogDelete(uint32_t id) {
    DTOPHEADER *h = DT_GetProfile(id);
    if (!h)
        return 0;
    char text[80];
    snprintf(text, sizeof text, "Delete profile [%.40s] ?", h->szProfilName);
    if (Ask(text) != UI_IDYES)
        return 0;
    DT_DeleteProfile(id, 0);
    if (DT_Profiles().empty())
        UI_EnableCommand(IDT_RESTOREDESKTOP, 0);
    return 1;
}

int DT_ProfileDialogOk(DT_PROFILEREQUEST *request, const char *name) {
    uint32_t width, height;
    PL_GetScreenSize(&width, &height);
    char cName[DT_NAME_MAX + 1];
    snprintf(cName, sizeof cName, "%s", name ? name : "");
    if (!cName[0]) {
        UI_MessageBox("Please select profile first, or enter new profile!", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    bool saving = request->nMode == DT_MODE_SAVE;
    uint32_t id = DT_FindProfile(cName);
    if (id != 0) {
        DTOPHEADER *h = DT_GetProfile(id);
        if (saving && Ask("Replace profile ?") != UI_IDYES)
            return -1;
        if (h->nWidth != width || h->nHeight != height) {
            if (Ask("Attention, selected profile doesn't have the same resultion!\nStore anyway?") != UI_IDYES)
                return -1;
            if (saving) {
                h->nWidth = width;
                h->nHeight = height;
            }
        }
        if (saving) {
            StampProfile(h);
            DT_DeleteProfile(id, 1);
        }
    } else {
        char text[96];
        snprintf(text, sizeof text, "Create new profile [%s] for icon positions ?", cName);
        if (Ask(text) != UI_IDYES)
            return -1;
        id = DT_GetNewProfilId();
        DTOPHEADER *h = DT_AppendProfile(!DT_Profiles().empty() ? "DT_M_05" : "DT_M_04");
        if (!h)
            return -1;
        strcpy(h->szDesktopId, DESKTOP_ID_TEXT);
        h->nProfilIndex = id;
        strcpy(h->szProfilName, cName);
        h->nWidth = width;
        h->nHeight = height;
        StampProfile(h);
    }
    request->nProfilId = id;
    request->nResult = DT_RESULT_OK;
    return 0;
}

void DT_ProfileDialogCancel(DT_PROFILEREQUEST *request) { request->nResult = DT_RESULT_CANCEL; }
