#include "tools/desktop_dialog.h"

#include "frame/memory.h"
#include "model/desktop_profiles.h"
#include "support/fake_desktop.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
const unsigned kQuestion = UI_MB_YESNO | UI_MB_ICONQUESTION;
const char kResolution[] = "Attention, selected profile doesn't have the same resultion!\nStore anyway?";

class ProfileDialog : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        DT_FreeDesktopTable();
        PL_GetComputerName(computer, sizeof computer);
    }
    void TearDown() override {
        DT_FreeDesktopTable();
        TempDirTest::TearDown();
    }
    DTOPHEADER *Profile(uint32_t id, const char *name, uint32_t w, uint32_t h, const char *created) {
        DTOPHEADER *p = DT_AppendProfile(lpDTOPHEADERstart ? "DT_M_05" : "DT_M_04");
        strcpy(p->szDesktopId, DESKTOP_ID_TEXT);
        p->nProfilIndex = id;
        strcpy(p->szProfilName, name);
        strcpy(p->szComputerName, "OLD-PC");
        p->nWidth = w;
        p->nHeight = h;
        memcpy(p->szCreated, created, 8);
        return p;
    }
    void Icon(uint32_t profile, const char *text) {
        DESKTOP *d = DT_AppendIcon(lpDESKTOPstart ? "DT_M_01" : "DT_M_00");
        d->nProfilIndex = profile;
        d->nTextLen = static_cast<uint32_t>(strlen(text));
        d->dwIconText = static_cast<char *>(T_Malloc("DT_M_02", d->nTextLen + 1));
        strcpy(d->dwIconText, text);
    }
    int IconsOf(uint32_t id) {
        int n = 0;
        for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
            n += d->nProfilIndex == id;
        return n;
    }
    FakeUi ui;
    FakeDesktop desktop; // 1920 x 1080
    FixedClock clock{LocalTime(2024, 2, 29, 12)};
    char computer[31] = {};
    DT_PROFILEREQUEST request{DT_MODE_SAVE, 0, 12345};
};
} // namespace

TEST_F(ProfileDialog, TitleColumnsAndRowsShowTheProfiles) {
    EXPECT_STREQ(DT_ProfileDialogTitle(DT_MODE_SAVE), "Save desktop icon positions");
    EXPECT_STREQ(DT_ProfileDialogTitle(DT_MODE_RESTORE), "Restore desktop icon positions");
    const char *titles[] = {"Profilename", "Created", "Computername", "Width", "Height"};
    for (int i = 0; i < DT_PROFILE_COLUMNS; ++i)
        EXPECT_STREQ(DT_ProfileColumnTitles[i], titles[i]);
    int w[DT_PROFILE_COLUMNS];
    DT_ProfileColumnWidths(457, w); // 457 / 100 = 4 whole pixels a share
    EXPECT_EQ(std::vector<int>(w, w + 5), (std::vector<int>{121, 81, 121, 41, 41}));
    DT_ProfileColumnWidths(99, w);
    EXPECT_EQ(std::vector<int>(w, w + 5), (std::vector<int>{1, 1, 1, 1, 1}));

    DT_PROFILEROW row;
    DT_ProfileRow(Profile(3, "Office", 800, 600, "01032006"), &row);
    EXPECT_STREQ(row.szName, "Office");
    EXPECT_STREQ(row.szCreated, "03/01/2006") << "month first";
    EXPECT_STREQ(row.szComputer, "OLD-PC");
    EXPECT_STREQ(row.szWidth, "0800");
    EXPECT_STREQ(row.szHeight, "0600");
    EXPECT_EQ(row.nProfilIndex, 3u);
    DTOPHEADER *undated = Profile(4, "Undated", 1920, 1080, "\0\0\0\0\0\0\0\0");
    DT_ProfileRow(undated, &row);
    EXPECT_STREQ(row.szCreated, "00/00/0000");
    EXPECT_STREQ(row.szWidth, "1920");
}

TEST_F(ProfileDialog, AnEmptyNameIsRefusedAndTheDialogStays) {
    EXPECT_EQ(DT_ProfileDialogOk(&request, ""), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Please select profile first, or enter new profile!");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(request.nResult, 12345u) << "nothing handed back";
    EXPECT_EQ(lpDTOPHEADERstart, nullptr);
}

TEST_F(ProfileDialog, AnUnknownNameCreatesAProfileAfterAskingInEitherMode) {
    Profile(1, "Office", 1920, 1080, "01032006");
    ui.answers = {UI_IDNO};
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Home"), -1) << "No keeps the dialog open";
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Create new profile [Home] for icon positions ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style, kQuestion);
    EXPECT_EQ(lpDTOPHEADERstart->next, nullptr);

    request.nMode = DT_MODE_RESTORE;
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Home"), 0);
    EXPECT_EQ(request.nResult, DT_RESULT_OK);
    EXPECT_EQ(request.nProfilId, 2u);
    DTOPHEADER *h = DT_GetProfile(2);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h, lpDTOPHEADERact);
    EXPECT_STREQ(h->szDesktopId, "DESKTOP_ID");
    EXPECT_STREQ(h->szProfilName, "Home");
    EXPECT_STREQ(h->szComputerName, computer);
    EXPECT_EQ(std::string(h->szCreated, 8), "29022024");
    EXPECT_EQ(h->nWidth, 1920u);
    EXPECT_EQ(h->nHeight, 1080u);
}

TEST_F(ProfileDialog, NamesAreCutTo39Characters) {
    std::string longName(45, 'n');
    EXPECT_EQ(DT_ProfileDialogOk(&request, longName.c_str()), 0);
    EXPECT_EQ(std::string(DT_GetProfile(request.nProfilId)->szProfilName), std::string(39, 'n'));
    // The same long name finds that profile again.
    ui.shown.clear();
    ui.answers = {UI_IDYES};
    EXPECT_EQ(DT_ProfileDialogOk(&request, longName.c_str()), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Replace profile ?");
}

TEST_F(ProfileDialog, SavingIntoAKnownProfileReplacesItsIconsDateAndComputer) {
    Profile(1, "Office", 1920, 1080, "01032006");
    Profile(2, "Home", 1920, 1080, "01032006");
    Icon(1, "Trash");
    Icon(2, "Mail");
    Icon(1, "Computer");
    ui.answers = {UI_IDNO};
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Office"), -1);
    EXPECT_EQ(ui.shown.back().text, "Replace profile ?");
    EXPECT_EQ(ui.shown.back().style, kQuestion);
    EXPECT_EQ(IconsOf(1), 2) << "No changes nothing";

    ui.shown.clear();
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Office"), 0);
    EXPECT_EQ(ui.shown.size(), 1u) << "the same screen size asks nothing more";
    EXPECT_EQ(request.nProfilId, 1u);
    EXPECT_EQ(IconsOf(1), 0);
    EXPECT_EQ(IconsOf(2), 1);
    DTOPHEADER *h = DT_GetProfile(1);
    EXPECT_EQ(std::string(h->szCreated, 8), "29022024");
    EXPECT_STREQ(h->szComputerName, computer);
    EXPECT_EQ(std::string(DT_GetProfile(2)->szCreated, 8), "01032006");
}

TEST_F(ProfileDialog, SavingIntoAProfileOfAnotherScreenSizeAsksAndStoresTheNewSize) {
    Profile(1, "Office", 1280, 1024, "01032006");
    Icon(1, "Trash");
    ui.answers = {UI_IDYES, UI_IDNO};
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Office"), -1);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, kResolution);
    EXPECT_EQ(ui.shown[1].style, kQuestion);
    DTOPHEADER *h = DT_GetProfile(1);
    EXPECT_EQ(h->nWidth, 1280u) << "No changes nothing";
    EXPECT_EQ(IconsOf(1), 1);
    EXPECT_EQ(std::string(h->szCreated, 8), "01032006");

    ui.answers = {UI_IDYES, UI_IDYES};
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Office"), 0);
    EXPECT_EQ(h->nWidth, 1920u);
    EXPECT_EQ(h->nHeight, 1080u);
    EXPECT_EQ(IconsOf(1), 0);
}

TEST_F(ProfileDialog, RestoringAKnownProfileAsksOnlyAboutAnotherScreenSizeAndChangesNothing) {
    request.nMode = DT_MODE_RESTORE;
    DTOPHEADER *same = Profile(1, "Same", 1920, 1080, "01032006");
    DTOPHEADER *other = Profile(2, "Other", 1920, 1200, "01032006");
    Icon(1, "Trash");
    Icon(2, "Trash");
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Same"), 0);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(request.nProfilId, 1u);

    ui.answers = {UI_IDNO};
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Other"), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kResolution);
    EXPECT_EQ(DT_ProfileDialogOk(&request, "Other"), 0);
    EXPECT_EQ(request.nProfilId, 2u);
    EXPECT_EQ(other->nHeight, 1200u) << "a restore keeps the stored size";
    EXPECT_EQ(IconsOf(1) + IconsOf(2), 2);
    EXPECT_STREQ(same->szComputerName, "OLD-PC");
}

TEST_F(ProfileDialog, DeleteAsksWithTheNameAndTheLastProfileTakesTheRestoreCommand) {
    Profile(1, "Office", 1920, 1080, "01032006");
    Profile(2, "Home", 1920, 1080, "01032006");
    Icon(1, "Trash");
    ui.answers = {UI_IDNO};
    EXPECT_EQ(DT_ProfileDialogDelete(1), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Delete profile [Office] ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style, kQuestion);
    ASSERT_NE(DT_GetProfile(1), nullptr);

    EXPECT_EQ(DT_ProfileDialogDelete(1), 1);
    EXPECT_EQ(DT_GetProfile(1), nullptr);
    EXPECT_EQ(IconsOf(1), 0);
    EXPECT_EQ(ui.commands.count(IDT_RESTOREDESKTOP), 0u) << "a profile is left";
    EXPECT_EQ(DT_ProfileDialogDelete(2), 1);
    EXPECT_EQ(ui.commands[IDT_RESTOREDESKTOP], 0);
    EXPECT_EQ(DT_ProfileDialogDelete(2), 0) << "gone already";
}

TEST_F(ProfileDialog, CancelAnswersAllBitsSet) {
    DT_ProfileDialogCancel(&request);
    EXPECT_EQ(request.nResult, 0xFFFFFFFFu);
}
