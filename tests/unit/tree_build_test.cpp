#include "model/tree_build.h"

#include "frame/memory.h"
#include "model/alarm_fields.h"
#include "model/fields.h"
#include "support/category_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
// Records what the tree would show: one line per item, "parent>text kind image".
struct Sink {
    std::vector<std::string> items;
    std::vector<std::string> expanded;
    std::map<uintptr_t, std::string> names;
    std::map<std::string, int> icons; // icon name -> stored index
    uintptr_t next = 0x100;

    static TREEHANDLE Insert(void *ctx, TREEHANDLE parent, const char *text, uint32_t kind, int image) {
        Sink *s = static_cast<Sink *>(ctx);
        uintptr_t h = s->next++;
        s->names[h] = text;
        std::string p = parent ? s->names[reinterpret_cast<uintptr_t>(parent)] : "-";
        s->items.push_back(p + ">" + text + " " + std::to_string(kind) + " " + std::to_string(image));
        return reinterpret_cast<TREEHANDLE>(h);
    }
    static void Expand(void *ctx, TREEHANDLE item) {
        Sink *s = static_cast<Sink *>(ctx);
        s->expanded.push_back(s->names[reinterpret_cast<uintptr_t>(item)]);
    }
    static int Icon(void *ctx, const char *name) {
        Sink *s = static_cast<Sink *>(ctx);
        auto it = s->icons.find(name);
        return it == s->icons.end() ? -1 : it->second;
    }
    static void Promise(void *ctx, TREEHANDLE card) {
        Sink *s = static_cast<Sink *>(ctx);
        s->promised.push_back(s->names[reinterpret_cast<uintptr_t>(card)]);
    }
    std::vector<std::string> promised;
    TVB_SINK sink{this, Insert, Expand, Icon};
};


class TreeBuild : public CategoryTest {
  protected:
    void SetUp() override {
        CategoryTest::SetUp();
        AddCategory(1, "Bank");
        AddCategory(2, "Work");
        sink.names[0x1] = "Safe";
        sink.icons["bank.ico"] = 0;
        sink.icons["mail.ico"] = 3;
        // Folder 1 "Mail" with a user and a dragged password, folder 2 "Banks".
        ORDNER *mail = AddFolder(1, 1, "Mail");
        strcpy(mail->cIconName, "mail.ico");
        ORDNER *banks = AddFolder(2, 2, "Banks");
        strcpy(banks->cIconName, "bank.ico");
        AddField(1, 0, 1, "User", FT_NORMAL, 30, 1);
        AddField(1, 1, 2, "Password", FT_PASSWORT, 30, 1);
        AddField(1, 2, 3, "Web", FT_URL, 60, 1);
        AddField(1, 3, 4, "Note", FT_NORMAL, 30, 0);
        AddField(1, 4, 5, "Due", FT_ALARM2, 10, 1);
        AddField(2, 0, 1, "Account", FT_NORMAL, 30, 1);
        KARTE *home = AddCard(1, 1, 1, "Home mail");
        strcpy(home->cIconName, "mail.ico");
        KARTE *work = AddCard(1, 2, 2, "Work mail");
        strcpy(work->cIconName, "unknown.ico");
        AddCard(2, 3, 1, "Savings");
        AddContent(1, 0, "alice");
        AddContent(1, 1, "secret");
        AddContent(1, 2, "mail.example.org");
        AddContent(1, 3, "not dragged");
        AddContent(1, 4, "01/02/2030");
        AddContent(2, 0, "");  // empty: no item
        AddContent(2, 1);      // never filled: no item
        AddContent(3, 0, "12345");
    }
    void TearDown() override {
        AW_ReleaseAlarmTable();
        CategoryTest::TearDown();
    }
    static void AddAlarm(uint32_t folder, uint32_t card) {
        ALARMTAB *a = static_cast<ALARMTAB *>(T_Malloc(lpALARMTABstart ? "AW_M_03" : "AW_M_02", sizeof(ALARMTAB)));
        a->nOrdnerKennung = folder;
        a->nKartenKennung = card;
        if (lpALARMTABact)
            lpALARMTABact->next = a;
        else
            lpALARMTABstart = a;
        lpALARMTABact = a;
    }
    void Build(int quick = 0, int showFolders = 0) {
        TVB_OPTIONS options = {quick, showFolders};
        TVB_BuildTree(reinterpret_cast<TREEHANDLE>(uintptr_t{0x1}), &options, &sink.sink);
    }
    Sink sink;
};
} // namespace

TEST_F(TreeBuild, FoldersCardsAndDragFieldsInListOrderWithTheirKindsAndImages) {
    Build();
    std::vector<std::string> want = {
        "Safe>Mail 2 10",        // icon index 3 after the seven fixed images
        "Safe>Banks 2 7",
        "Mail>Home mail 4 10",
        "Home mail>User 8 3",    // dragged fields with a text; the URL only in the quick window,
        "Home mail>Password 8 3", // the undragged note and the second alarm kind never
        "Mail>Work mail 4 -1",   // an icon the list does not know: the default card image
        "Banks>Savings 4 -1",
        "Savings>Account 8 3",
    };
    EXPECT_EQ(sink.items, want);
    EXPECT_EQ(sink.expanded, std::vector<std::string>{"Safe"});

    // A folder icon the list does not know: the folder picture, not the card's.
    strcpy(lpORDNERstart->cIconName, "gone.ico");
    sink.items.clear();
    Build();
    EXPECT_EQ(sink.items[0], "Safe>Mail 2 1");
}

TEST_F(TreeBuild, RecordsKeepTheirItemsAndForgetItemsOfABuildBefore) {
    Build();
    EXPECT_NE(lpORDNERstart->hOrdnerTree, nullptr);
    EXPECT_EQ(sink.names[reinterpret_cast<uintptr_t>(lpKARTEstart->hCardTree)], "Home mail");
    FELDINHALT *note = lpFELDINHALTstart->next->next->next;
    EXPECT_EQ(note->hFeldTree, nullptr);
    EXPECT_EQ(sink.names[reinterpret_cast<uintptr_t>(lpFELDINHALTstart->hFeldTree)], "User");

    CategoryState.nCategoryFilter = 2; // every folder of category 0 stays, so nothing changes but the handles
    lpORDNERstart->next->nCategory = 1;
    sink.items.clear();
    Build();
    EXPECT_EQ(lpORDNERstart->next->hOrdnerTree, nullptr);
    EXPECT_EQ(lpKARTEstart->next->next->hCardTree, nullptr) << "a card of a hidden folder is hidden too";
    EXPECT_EQ(lpFELDINHALTstart->next->next->next->next->next->next->next->hFeldTree, nullptr);
}

TEST_F(TreeBuild, ACategoryFilterHidesOtherCategoriesButNeverCategoryNone) {
    lpORDNERstart->nCategory = 1;          // Mail: Bank
    lpORDNERstart->next->nCategory = 2;    // Banks: Work
    lpKARTEstart->nCategory = 2;           // Home mail: Work
    CategoryState.nCategoryFilter = 1;
    Build();
    std::vector<std::string> want = {"Safe>Mail 2 10", "Mail>Work mail 4 -1"};
    EXPECT_EQ(sink.items, want);

    sink.items.clear();
    lpORDNERstart->nCategory = 0;
    CategoryState.nCategoryFilter = 2;
    Build();
    want = {"Safe>Mail 2 10",         "Safe>Banks 2 7",      "Mail>Home mail 4 10", "Home mail>User 8 3",
            "Home mail>Password 8 3", "Mail>Work mail 4 -1", "Banks>Savings 4 -1",  "Savings>Account 8 3"};
    EXPECT_EQ(sink.items, want);
}

TEST_F(TreeBuild, AlarmsMarkTheirFolderAndCard) {
    AddAlarm(2, 3);
    Build();
    EXPECT_EQ(sink.items[1], "Safe>Banks 2 6");
    EXPECT_EQ(sink.items[0], "Safe>Mail 2 10");
    EXPECT_EQ(sink.items[6], "Banks>Savings 4 6");
    EXPECT_EQ(sink.items[2], "Mail>Home mail 4 10");
}

TEST_F(TreeBuild, ExpandedFoldersThenExpandedCards) {
    lpKARTEstart->nExpanded = 1;
    lpORDNERstart->next->nExpanded = 1;
    lpORDNERstart->nExpanded = 1;
    Build();
    EXPECT_EQ(sink.expanded, (std::vector<std::string>{"Safe", "Mail", "Banks", "Home mail"}));
}

TEST_F(TreeBuild, TheQuickWindowShowsWebFieldsAndWithoutFoldersEveryCardBelowTheSafe) {
    AddAlarm(1, 1);
    lpORDNERstart->next->nCategory = 2;
    CategoryState.nCategoryFilter = 1;
    Build(1, 0);
    std::vector<std::string> want = {
        "Safe>Home mail 4 10", // no alarm image, no category rule
        "Home mail>User 8 3", "Home mail>Password 8 3", "Home mail>Web 16 4",
        "Safe>Work mail 4 -1", "Safe>Savings 4 -1", "Savings>Account 8 3",
    };
    EXPECT_EQ(sink.items, want);
    EXPECT_EQ(lpORDNERstart->hOrdnerTree, nullptr);

    sink.items.clear();
    Build(1, 1); // with folders: the rules of the normal tree, and web items
    want = {"Safe>Mail 2 6", "Mail>Home mail 4 6", "Home mail>User 8 3", "Home mail>Password 8 3",
            "Home mail>Web 16 4", "Mail>Work mail 4 -1"};
    EXPECT_EQ(sink.items, want);
}

TEST_F(TreeBuild, ACardWithItsOwnFieldsIsShownThroughThem) {
    // Card 2 has its own table: its field 1 is dragged there, field 0 is not.
    AddCardField(2, 0, 1, "PIN", FT_PASSWORT, 10, 0);
    AddCardField(2, 1, 2, "Login", FT_NORMAL, 30, 1);
    ASSERT_EQ(FW_PutFeld(2, 0, "1234", nullptr), 0);
    ASSERT_EQ(FW_PutFeld(2, 1, "bob", nullptr), 0);
    AddContent(2, 5, "no such field");
    Build();
    auto has = [&](const char *line) { return std::find(sink.items.begin(), sink.items.end(), line) != sink.items.end(); };
    EXPECT_TRUE(has("Work mail>Login 8 3"));
    EXPECT_FALSE(has("Work mail>PIN 8 3"));
    EXPECT_FALSE(has("Work mail>User 8 3"));
    EXPECT_EQ(sink.items.size(), 9u);
}

// Cards and field items left to the first expansion: only collapsed folders and
// cards that have some are promised, a folder stored expanded is filled at
// once, and filling every folder and card then gives the items of a whole build.
TEST_F(TreeBuild, CollapsedCardsGetTheirFieldItemsWhenFilled) {
    AddCardField(3, 0, 1, "PIN", FT_NORMAL, 10, 0); // Savings: nothing dragged, nothing promised
    lpKARTEstart->next->nExpanded = 1;              // Work mail: filled at once (it has no item)
    AddFolder(3, 3, "Empty");                       // no card: nothing promised
    struct Row {
        int quick;
        uint32_t mailExpanded;
        std::vector<std::string> promised;
    };
    const Row rows[] = {{0, 0, {"Mail", "Banks"}},
                        {1, 0, {"Mail", "Banks"}},
                        {0, 1, {"Home mail", "Banks"}},
                        {1, 1, {"Home mail", "Banks"}}};
    for (const Row &row : rows) {
        lpORDNERstart->nExpanded = row.mailExpanded;
        Sink eager;
        eager.names[0x1] = "Safe";
        TVB_OPTIONS options = {row.quick, 1};
        TVB_BuildTree(reinterpret_cast<TREEHANDLE>(uintptr_t{0x1}), &options, &eager.sink);
        Sink lazy;
        lazy.names[0x1] = "Safe";
        lazy.sink.promise = Sink::Promise;
        TVB_BuildTree(reinterpret_cast<TREEHANDLE>(uintptr_t{0x1}), &options, &lazy.sink);
        EXPECT_EQ(lazy.promised, row.promised) << row.quick << row.mailExpanded;
        EXPECT_EQ(lpKARTEstart->next->next->hCardTree, nullptr);
        EXPECT_EQ(lpFELDINHALTstart->hFeldTree, nullptr);
        for (ORDNER *o = lpORDNERstart; o; o = o->next) {
            const int cards = o->nOrdnerKennung == 3 ? 0 : o == lpORDNERstart ? 2 * !row.mailExpanded : 1;
            EXPECT_EQ(TVB_FillFolder(o->hOrdnerTree, &options, &lazy.sink), cards) << o->cOrdnerName;
            EXPECT_EQ(TVB_FillFolder(o->hOrdnerTree, &options, &lazy.sink), 0) << "filled once";
        }
        EXPECT_EQ(TVB_FillFolder(nullptr, &options, &lazy.sink), -1);
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            EXPECT_EQ(TVB_FillCard(k->hCardTree, &options, &lazy.sink), k == lpKARTEstart ? 2 + row.quick : 0);
        EXPECT_EQ(TVB_FillCard(nullptr, &options, &lazy.sink), -1);
        EXPECT_EQ(lazy.names[reinterpret_cast<uintptr_t>(lpFELDINHALTstart->hFeldTree)], "User");
        for (Sink *s : {&eager, &lazy}) {
            std::sort(s->items.begin(), s->items.end());
            std::sort(s->expanded.begin(), s->expanded.end());
        }
        EXPECT_EQ(lazy.items, eager.items) << row.quick << row.mailExpanded;
        EXPECT_EQ(lazy.expanded, eager.expanded);
    }
}
