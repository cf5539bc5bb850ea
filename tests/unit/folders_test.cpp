#include "frame/trace.h"
#include "model/folders.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class Folders : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        ORDNER *a = AddFolder(1, 1, "Banking", Item(0xa1));
        strcpy(a->cIconName, "bank");
        a->nCategory = 3;
        AddFolder(2, 2, "Mail", Item(0xa2));
        AddFolder(4, 3, "Hidden"); // filtered out of the tree: no tree item
        AddField(1, 0, 1, "user", FT_NORMAL, 20, 1);
        AddField(1, 1, 2, "password", FT_PASSWORT, 10, 0);
        AddField(2, 0, 1, "address", FT_EMAIL, 60, 0);
    }
};
} // namespace

TEST_F(Folders, LookupsByTreeItem) {
    EXPECT_EQ(OW_GetOrdnerId(Item(0xa2)), 2);
    EXPECT_STREQ(OW_GetOrdnerName(Item(0xa1)), "Banking");
    EXPECT_STREQ(OW_GetIconName(Item(0xa1)), "bank");
    EXPECT_EQ(OW_GetOrdnerCategory(Item(0xa1)), 3);
    OW_SetOrdnerCategory(Item(0xa2), 5);
    EXPECT_EQ(OW_GetOrdnerCategory(Item(0xa2)), 5);
    EXPECT_EQ(OW_SetOrdnerExpanded(Item(0xa1), 1), 1);
    EXPECT_EQ(lpORDNERstart->nExpanded, 1u);
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(OW_GetOrdnerName(Item(0xbad)), nullptr);
    EXPECT_EQ(OW_GetIconName(Item(0xbad)), nullptr);
    EXPECT_EQ(OW_GetOrdnerCategory(Item(0xbad)), -1);
    OW_SetOrdnerCategory(Item(0xbad), 9);
    EXPECT_EQ(OW_SetOrdnerExpanded(Item(0xbad), 1), 0);
    EXPECT_TRUE(LogLines().empty()) << "these lookups fail quietly";
    EXPECT_EQ(OW_GetOrdnerId(Item(0xbad)), -1);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"*OW02* OW_GetOrdnerId(HTREEITEM nhFIndex=bad) [return -1]"});
}

TEST_F(Folders, NoTreeItemNeverFindsAFolderThatIsNotShown) {
    EXPECT_EQ(OW_GetOrdnerId(nullptr), -1);
    EXPECT_EQ(OW_GetOrdnerName(nullptr), nullptr);
    EXPECT_EQ(OW_SetOrdnerExpanded(nullptr, 1), 0);
    EXPECT_EQ(lpORDNERact->nExpanded, 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"*OW02* OW_GetOrdnerId(HTREEITEM nhFIndex=0) [return -1]"});
}

TEST_F(Folders, LookupsByIdentifier) {
    EXPECT_EQ(OW_GetOrdnerStructAdr(2), lpORDNERstart->next);
    EXPECT_EQ(OW_GetTreeHandle(1), Item(0xa1));
    EXPECT_EQ(OW_GetTreeHandle(4), nullptr) << "found, but not shown";
    EXPECT_STREQ(OW_GetOrdnerNameById(4), "Hidden");
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(OW_GetOrdnerStructAdr(3), nullptr);
    EXPECT_EQ(OW_GetTreeHandle(3), nullptr);
    EXPECT_EQ(OW_GetOrdnerNameById(3), nullptr);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"*OW07* OW_GetOrdnerStructAdr(UINT nOrdnerID=3) [return 0]",
                                                    "*OW01* OW_GetTreeHandle(UINT nIndex=3) [return NULL]"}));
}

TEST_F(Folders, FieldDescriptionLookupsAndTheirNotFoundValues) {
    EXPECT_EQ(OW_GetFeldtyp(1, 1), FT_PASSWORT);
    EXPECT_EQ(OW_GetFeldLaenge(2, 0), 60);
    EXPECT_EQ(OW_GetDropKZ(1, 0), 1u);
    EXPECT_STREQ(OW_GetPointer2Feld(1, 1)->feldname, "password");
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(OW_GetFeldtyp(2, 1), 0u);
    EXPECT_EQ(OW_GetFeldLaenge(2, 1), -1) << "unlike the card twin, which answers 0";
    EXPECT_EQ(OW_GetDropKZ(3, 0), 0u);
    EXPECT_EQ(OW_GetPointer2Feld(1, 7), nullptr);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*OW05* OW_GetFeldtyp(UINT nOIndex=2 UINT nFIndex=1) [return 0]",
                              "*OW00* OW_GetFeldLaenge(UINT nOrdner=2, UINT nFeld=1) [return -1]",
                              "*OW04* OW_GetDropKZ(UINT nOIndex=3 UINT nFIndex=0) [return 0]",
                              "*OW03* OW_GetPointer2Feld(UINT nOIndex=1 UINT nFIndex=7) [return NULL]",
                          }));
    ReleaseAll();
    EXPECT_EQ(OW_GetFeldLaenge(1, 0), -1) << "an empty list is a list where nothing matches";
}

TEST_F(Folders, NewFolderNumberIsTheSmallestFreeOne) {
    EXPECT_EQ(OW_GetNewFolderNumber(), 3u) << "folders 1, 2 and 4";
    ReleaseAll();
    EXPECT_EQ(OW_GetNewFolderNumber(), 1u) << "no folders";
    AddFolder(1, 1, "a");
    AddFolder(2, 2, "b");
    AddFolder(3, 3, "c");
    EXPECT_EQ(OW_GetNewFolderNumber(), 4u);
    ORDNER *first = lpORDNERstart; // folder 1 deleted
    lpORDNERstart = first->next;
    T_Free("TT_F_00", first);
    EXPECT_EQ(OW_GetNewFolderNumber(), 1u) << "a freed identifier is given out again";
}

TEST_F(Folders, NewFolderNumberIgnoresHugeIdentifiersAndTraces) {
    ReleaseAll();
    AddFolder(1, 1, "a");
    AddFolder(0xFFFFFFFFu, 2, "damaged");
    AddFolder(0, 3, "zero");
    dwTraceLevel = TRACE_FUNCTIONS;
    EXPECT_EQ(OW_GetNewFolderNumber(), 2u);
    EXPECT_EQ(TraceLines("OR_FNK"), (std::vector<std::string>{"B OW_GetNewFolderNumber() (nOrdnerCount=3)",
                                                               "E OW_GetNewFolderNumber() (return nNewFolderId=2)"}));
}

TEST_F(Folders, CompareFieldTables) {
    ReleaseAll();
    AddField(1, 0, 1, "n", FT_NORMAL, 20);
    AddField(1, 1, 2, "p", FT_PASSWORT, 10);
    AddField(2, 0, 1, "n", FT_NORMAL, 30);
    AddField(2, 1, 2, "p", FT_PASSWORT, 10);
    AddField(3, 0, 1, "n", FT_NORMAL, 10); // too short
    AddField(3, 1, 2, "p", FT_PASSWORT, 10);
    AddField(4, 0, 1, "n", FT_NORMAL, 30);
    AddField(4, 1, 2, "p", FT_NORMAL, 10); // other type
    AddField(5, 0, 1, "n", FT_NORMAL, 30); // one field fewer
    AddField(6, 0, 1, "n", FT_NORMAL, 30); // one field more
    AddField(6, 1, 2, "p", FT_PASSWORT, 10);
    AddField(6, 2, 3, "x", FT_NORMAL, 10);
    // Up/Down changes the display order only: contents stay by field index.
    AddField(8, 1, 1, "p", FT_PASSWORT, 10);
    AddField(8, 0, 2, "n", FT_NORMAL, 20);
    AddField(9, 1, 1, "n", FT_NORMAL, 30); // pairs with 1 by display order, not by index
    AddField(9, 0, 2, "p", FT_PASSWORT, 10);
    AddField(10, 0, 1, "x", FT_NORMAL, 30); // other name
    AddField(10, 1, 2, "p", FT_PASSWORT, 10);
    const struct { uint32_t source, target; int fits; } rows[] = {
        {1, 2, 0}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}, {1, 6, 1}, {1, 7, 1}, {7, 1, 1}, {2, 1, 1},
        {3, 1, 0}, {1, 8, 0}, {8, 1, 0},  {1, 9, 1}, {9, 1, 1}, {1, 10, 1},
    };
    for (const auto &r : rows)
        EXPECT_EQ(OW_CompareFeldTabelle(r.source, r.target), r.fits) << r.source << " into " << r.target;
}
