#include "model/desktop_profiles.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace testsupport;

namespace {
class DesktopProfiles : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        DT_FreeDesktopTable();
    }
    void TearDown() override {
        DT_FreeDesktopTable();
        PL_SetFreeObserver(nullptr);
        TempDirTest::TearDown();
    }
    static DTOPHEADER *Profile(uint32_t id, const char *name) {
        DTOPHEADER *h = DT_AppendProfile(lpDTOPHEADERstart ? "DT_M_05" : "DT_M_04");
        strcpy(h->szDesktopId, DESKTOP_ID_TEXT);
        h->nProfilIndex = id;
        strcpy(h->szProfilName, name);
        return h;
    }
    static DESKTOP *Icon(uint32_t profile, const char *text, int32_t x, int32_t y) {
        DESKTOP *d = DT_AppendIcon(lpDESKTOPstart ? "DT_M_01" : "DT_M_00");
        d->nProfilIndex = profile;
        d->x = x;
        d->y = y;
        d->nTextLen = static_cast<uint32_t>(strlen(text));
        if (d->nTextLen) {
            d->dwIconText = static_cast<char *>(T_Malloc("DT_M_02", d->nTextLen + 1));
            strcpy(d->dwIconText, text);
        }
        return d;
    }
    static std::string Icons() {
        std::string s;
        for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
            s += std::to_string(d->nProfilIndex) + ":" + (d->dwIconText ? d->dwIconText : "-") + " ";
        return s;
    }
};

std::set<const void *> g_wiped;
std::set<const void *> g_watch;
void SeeFree(const void *block) {
    if (g_watch.count(block) && static_cast<const char *>(block)[0] == 0)
        g_wiped.insert(block);
}
} // namespace

TEST_F(DesktopProfiles, NewIdsStartAtOneAndFillTheGapsOfDeletedProfiles) {
    EXPECT_EQ(DT_GetNewProfilId(), 1u);
    Profile(1, "a");
    Profile(2, "b");
    Profile(3, "c");
    EXPECT_EQ(DT_GetNewProfilId(), 4u);
    DT_DeleteProfile(2, 0);
    EXPECT_EQ(DT_GetNewProfilId(), 2u);
    DT_FreeDesktopTable();
    Profile(5, "only five");
    EXPECT_EQ(DT_GetNewProfilId(), 1u);
}

TEST_F(DesktopProfiles, AHugeIdFromADamagedFileStillGivesTheLowestFreeOne) {
    Profile(0xFFFFFFFFu, "damaged");
    Profile(1, "one");
    EXPECT_EQ(DT_GetNewProfilId(), 2u);
}

TEST_F(DesktopProfiles, NewIdTracesItsEntryAndExitLines) {
    Profile(1, "a");
    dwTraceLevel = TRACE_FUNCTIONS;
    DT_GetNewProfilId();
    dwTraceLevel = 0;
    std::string trace = ReadFile(Path("orvtrace.log"));
    EXPECT_NE(trace.find("*CW_FNK* "), std::string::npos);
    EXPECT_NE(trace.find("B DT_GetNewProfilId() \r\n"), std::string::npos);
    EXPECT_NE(trace.find("E CW_GetNewProfilId() (return nNewProfilId=2) \r\n"), std::string::npos);
}

TEST_F(DesktopProfiles, ProfilesAreFoundByTheirWholeNameOnly) {
    Profile(1, "Office");
    Profile(2, "Office 2");
    Profile(3, "Office");
    EXPECT_EQ(DT_FindProfile("Office"), 1u) << "the first of two equal names";
    EXPECT_EQ(DT_FindProfile("Office 2"), 2u);
    EXPECT_EQ(DT_FindProfile("Offic"), 0u);
    EXPECT_EQ(DT_FindProfile("office"), 0u);
    EXPECT_EQ(DT_FindProfile(""), 0u);
}

TEST_F(DesktopProfiles, IconsMatchByExactLabelWithinTheirProfileAndNeverWithoutOne) {
    Icon(1, "", 1, 1);
    Icon(2, "Trash", 2, 2);
    DESKTOP *trash = Icon(1, "Trash", 3, 3);
    DESKTOP *second = Icon(1, "Trash", 4, 4);
    EXPECT_EQ(DT_FindIcon(1, "Trash"), trash);
    EXPECT_EQ(DT_FindIcon(1, "trash"), nullptr);
    EXPECT_EQ(DT_FindIcon(1, ""), nullptr) << "an icon without a label is never matched";
    EXPECT_EQ(DT_FindIcon(3, "Trash"), nullptr);
    EXPECT_EQ(DT_FindIconNth(1, "Trash", 1), second);
    EXPECT_EQ(DT_FindIconNth(1, "Trash", 2), nullptr);
}

TEST_F(DesktopProfiles, DeletingAProfileTakesItsIconsAndKeepsTheOthersAndTheTails) {
    Profile(1, "a");
    Profile(2, "b");
    Icon(1, "x", 0, 0);
    Icon(2, "y", 0, 0);
    Icon(1, "z", 0, 0);
    DT_DeleteProfile(1, 0);
    ASSERT_NE(lpDTOPHEADERstart, nullptr);
    EXPECT_EQ(lpDTOPHEADERstart->nProfilIndex, 2u);
    EXPECT_EQ(lpDTOPHEADERact, lpDTOPHEADERstart);
    EXPECT_EQ(Icons(), "2:y ");
    EXPECT_EQ(lpDESKTOPact, lpDESKTOPstart);
    // The tails are right: appending goes on at the end.
    Icon(2, "w", 0, 0);
    Profile(7, "c");
    EXPECT_EQ(Icons(), "2:y 2:w ");
    EXPECT_EQ(lpDTOPHEADERstart->next->nProfilIndex, 7u);
}

TEST_F(DesktopProfiles, DeletingWithKeepLeavesTheHeaderAndEmptiesItsIcons) {
    Profile(1, "a");
    Icon(1, "x", 0, 0);
    Icon(1, "y", 0, 0);
    DT_DeleteProfile(1, 1);
    ASSERT_NE(DT_GetProfile(1), nullptr);
    EXPECT_EQ(lpDESKTOPstart, nullptr);
    EXPECT_EQ(lpDESKTOPact, nullptr);
    DT_DeleteProfile(1, 0);
    EXPECT_EQ(lpDTOPHEADERstart, nullptr);
    EXPECT_EQ(lpDTOPHEADERact, nullptr);
}

TEST_F(DesktopProfiles, LabelsAreWipedBeforeTheyAreFreed) {
    Profile(1, "a");
    g_watch = {Icon(1, "Secret project", 0, 0)->dwIconText, Icon(2, "Bank", 0, 0)->dwIconText};
    g_wiped.clear();
    PL_SetFreeObserver(SeeFree);
    DT_DeleteProfile(1, 0);
    DT_FreeDesktopTable();
    PL_SetFreeObserver(nullptr);
    EXPECT_EQ(g_wiped, g_watch);
}
