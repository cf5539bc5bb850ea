#include "tools/desktop_icons.h"

#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/fake_desktop.h"
#include "support/safe_fixture.h"
#include "tools/desktop_dialog.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class DesktopIcons : public SafeTest {
  protected:
    // The user picks (or types) a profile name in the dialog and presses OK,
    // answering Yes to every question.
    void Choose(const char *name) {
        std::string n = name;
        ui.profileDialogs.push_back([n](uint32_t mode, uint32_t *id) {
            DT_PROFILEREQUEST r{mode, 0, DT_RESULT_CANCEL};
            if (DT_ProfileDialogOk(&r, n.c_str()) != 0)
                return -1;
            *id = r.nProfilId;
            return 0;
        });
    }
    void SaveAs(const char *name) {
        Choose(name);
        DT_SaveDesktopIcons();
    }
    void RestoreFrom(const char *name) {
        Choose(name);
        DT_RestoreDesktopIcons();
    }
    static std::string Records() {
        std::string s;
        for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
            s += std::to_string(d->nProfilIndex) + "/" + std::to_string(d->nIndex) + " [" +
                 (d->dwIconText ? d->dwIconText : "(null)") + "] " + std::to_string(d->nTextLen) + " " +
                 std::to_string(d->x) + "," + std::to_string(d->y) + "\n";
        return s;
    }
    std::string Places() const {
        std::string s;
        for (auto &i : desktop.icons)
            s += "[" + i.text + "] " + std::to_string(i.x) + "," + std::to_string(i.y) + "\n";
        return s;
    }
    FakeDesktop desktop{{{"Trash", 10, 20}, {"", 30, 40}, {"Docs", 50, 60}, {"Docs", 70, 80}}};
};
} // namespace

TEST_F(DesktopIcons, SavingRecordsEveryIconWithItsIndexLabelAndPlace) {
    dwTraceLevel = TRACE_DUMP_DESKTOP;
    SaveAs("Home");
    dwTraceLevel = 0;
    EXPECT_EQ(Records(), "1/0 [Trash] 5 10,20\n"
                         "1/1 [(null)] 0 30,40\n"
                         "1/2 [Docs] 4 50,60\n"
                         "1/3 [Docs] 4 70,80\n");
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, "Icon positions saved!");
    EXPECT_EQ(ui.shown[1].caption, "Notice");
    EXPECT_EQ(ui.shown[1].style, UI_MB_OK | UI_MB_ICONINFORMATION);
    EXPECT_EQ(ui.commands[IDT_RESTOREDESKTOP], 1);
    EXPECT_EQ(ui.profileModes, std::vector<uint32_t>{DT_MODE_SAVE});
    EXPECT_EQ(desktop.opens, 2) << "once to see there are icons, once to store them";
    EXPECT_EQ(desktop.closes, 2);
    EXPECT_FALSE(desktop.isOpen);
    EXPECT_EQ(desktop.callsWhileClosed, 0);
    EXPECT_NE(ReadFile(Path("orvtrace.log")).find("*ISAV* "), std::string::npos);
    EXPECT_NE(ReadFile(Path("orvtrace.log")).find("** DT_SaveDesktopIcons() items=4 \r\n"), std::string::npos);
}

TEST_F(DesktopIcons, SavingAgainReplacesTheProfilesIconsAndKeepsTheOthers) {
    SaveAs("Home");
    SaveAs("Office");
    desktop.icons = {{"Mail", 1, 2}};
    SaveAs("Home");
    EXPECT_EQ(Records(), "2/0 [Trash] 5 10,20\n"
                         "2/1 [(null)] 0 30,40\n"
                         "2/2 [Docs] 4 50,60\n"
                         "2/3 [Docs] 4 70,80\n"
                         "1/0 [Mail] 4 1,2\n");
    EXPECT_EQ(lpDESKTOPact->nProfilIndex, 1u);
}

// Saving where there is nothing to save says so before any profile is made:
// no icons, no icon list (no shell), an icon list out of reach.
TEST_F(DesktopIcons, NothingToSaveIsToldBeforeAnyProfileIsMade) {
    const struct {
        int failure;
        bool icons;
        const char *text;
        const char *code; // in the log, or null
    } rows[] = {
        {0, false, "The desktop shows no icons: there are no icon positions to save", nullptr},
        {PL_DESKTOP_NO_PROCESS, true, "This desktop has no icon list: there are no icon positions to save",
         "*DT00* error: GetWindowThreadProcessID failed! \r\n"},
        {PL_DESKTOP_NO_ACCESS, true, "error: OpenProcess failed!", "*DT01* error: OpenProcess failed! \r\n"},
    };
    for (const auto &row : rows) {
        desktop.failure = row.failure;
        desktop.failureError = PL_ERROR_ACCESS_DENIED;
        if (!row.icons)
            desktop.icons.clear();
        ui.shown.clear();
        DT_SaveDesktopIcons(); // no dialog scripted: one run would be cancelled
        ASSERT_EQ(ui.shown.size(), 1u) << row.text;
        EXPECT_EQ(ui.shown[0].text, row.text);
        EXPECT_EQ(lpDTOPHEADERstart, nullptr) << row.text;
        EXPECT_EQ(lpDESKTOPstart, nullptr);
        EXPECT_EQ(ui.commands.count(IDT_RESTOREDESKTOP), 0u);
        EXPECT_EQ(desktop.opens, desktop.closes);
        if (row.code) {
            EXPECT_NE(Log().find(row.code), std::string::npos) << row.code;
        }
    }
}

TEST_F(DesktopIcons, ACancelledDialogLeavesTheDesktopAlone) {
    DT_SaveDesktopIcons(); // no choice scripted: cancelled
    EXPECT_EQ(desktop.opens, 1) << "only to see there are icons";
    EXPECT_EQ(lpDTOPHEADERstart, nullptr);
    SaveAs("Home");
    desktop.icons[0].x = 999;
    DT_RestoreDesktopIcons();
    EXPECT_EQ(desktop.opens, 3);
    EXPECT_EQ(desktop.icons[0].x, 999);
}

TEST_F(DesktopIcons, ADesktopThatCannotBeReachedIsLoggedAndShown) {
    // Restoring stops the same way.
    desktop.failure = 0;
    SaveAs("Home");
    desktop.failure = PL_DESKTOP_NO_PROCESS;
    desktop.icons[0].x = 1;
    size_t before = ui.shown.size();
    RestoreFrom("Home");
    EXPECT_EQ(ui.shown.size(), before + 1);
    EXPECT_EQ(ui.shown.back().text, "error: GetWindowThreadProcessID failed!");
    EXPECT_EQ(desktop.icons[0].x, 1);
}

TEST_F(DesktopIcons, RestoringPutsLabelledIconsBackAndLeavesUnlabelledAndNewOnes) {
    SaveAs("Home");
    // Rearranged, reordered, and with a new icon ahead of the others.
    desktop.icons = {{"New", 1, 1}, {"Docs", 2, 2}, {"", 3, 3}, {"Trash", 4, 4}, {"Docs", 5, 5}};
    ui.shown.clear();
    RestoreFrom("Home");
    EXPECT_EQ(Places(), "[New] 1,1\n"
                        "[Docs] 50,60\n"
                        "[] 3,3\n"
                        "[Trash] 10,20\n"
                        "[Docs] 70,80\n");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Icon positions restored!");
    EXPECT_EQ(ui.shown[0].caption, "Notice");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONINFORMATION);
    EXPECT_EQ(desktop.moves, 5 * 3) << "five passes over the three matching icons";
    EXPECT_EQ(ui.profileModes.back(), DT_MODE_RESTORE);
    EXPECT_EQ(desktop.callsWhileClosed, 0);
    EXPECT_FALSE(desktop.isOpen);
}

TEST_F(DesktopIcons, IconsSharingALabelGoToTheirOwnPlacesNotOneOnTopOfTheOther) {
    desktop.icons = {{"Shortcut", 100, 100}, {"Shortcut", 200, 200}, {"Shortcut", 300, 300}};
    SaveAs("Home");
    desktop.icons = {{"Shortcut", 0, 0}, {"Shortcut", 0, 0}, {"Shortcut", 0, 0}, {"Shortcut", 7, 7}};
    RestoreFrom("Home");
    EXPECT_EQ(Places(), "[Shortcut] 100,100\n"
                        "[Shortcut] 200,200\n"
                        "[Shortcut] 300,300\n"
                        "[Shortcut] 7,7\n");
}

TEST_F(DesktopIcons, FewerIconsThanStoredMovesThoseThereAndAsksForNoOthers) {
    SaveAs("Home");
    desktop.icons = {{"Docs", 0, 0}};
    RestoreFrom("Home");
    EXPECT_EQ(Places(), "[Docs] 50,60\n");
    EXPECT_EQ(desktop.callsOutOfRange, 0);
}

TEST_F(DesktopIcons, OnlyTheChosenProfilesRecordsPlaceIcons) {
    SaveAs("Home");
    desktop.icons = {{"Trash", 500, 500}, {"Docs", 600, 600}};
    SaveAs("Office");
    RestoreFrom("Home");
    EXPECT_EQ(Places(), "[Trash] 10,20\n[Docs] 50,60\n");
    RestoreFrom("Office");
    EXPECT_EQ(Places(), "[Trash] 500,500\n[Docs] 600,600\n");
}

TEST_F(DesktopIcons, RestoringWithoutAnyRecordsDoesNothingAtAll) {
    DT_RestoreDesktopIcons();
    EXPECT_TRUE(ui.profileModes.empty());
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(desktop.opens, 0);
}

TEST_F(DesktopIcons, AnUnknownNameWhileRestoringMakesAnEmptyProfileAndMovesNothing) {
    SaveAs("Home");
    desktop.icons[0].x = 1;
    RestoreFrom("Elsewhere");
    ASSERT_NE(DT_FindProfile("Elsewhere"), 0u);
    EXPECT_EQ(desktop.moves, 0);
    EXPECT_EQ(ui.shown.back().text, "Icon positions restored!");
}

TEST_F(DesktopIcons, ProfilesSurviveASafeWithAPasswordAndPutTheIconsBack) {
    desktop.icons.push_back({std::string(DESKTOP_TEXT_MAX, 'L'), 90, 91});
    SaveAs("Home");
    std::string path = Path("desk.saf");
    MakeActive(path, "pw");
    ASSERT_EQ(SW_PutSafe(0, 1), 0);
    SW_DeactivateSafe();
    std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.find("Trash"), std::string::npos) << "labels are enveloped";
    EXPECT_NE(bytes.find("Home"), std::string::npos);
    std::string before = DescribeLists();
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    EXPECT_EQ(DescribeLists(), before);

    for (auto &i : desktop.icons)
        i.x = i.y = 0;
    RestoreFrom("Home");
    EXPECT_EQ(Places(), "[Trash] 10,20\n[] 0,0\n[Docs] 50,60\n[Docs] 70,80\n[" + std::string(DESKTOP_TEXT_MAX, 'L') +
                            "] 90,91\n");
}
