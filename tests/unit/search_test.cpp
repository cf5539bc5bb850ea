#include "model/cards.h"
#include "model/records.h"
#include "model/search.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
// Two folders in reversed file order, cards of both folders interleaved, one
// individual card whose own fields come in another order than their indexes.
SafeContents Sample() {
    SafeContents s;
    s.folders = {{2, 2, "Web", "globe"}, {1, 1, "My Bank", "bank"}};
    s.fields = {{1, 0, 1, "User", 0, 40}, {1, 1, 2, "Password", 1, 30}, {1, 2, 3, "Remark", 0, 60},
                {2, 0, 1, "Login", 0, 40},  {2, 1, 2, "Note", 0, 80}};
    s.cards = {{2, 10, 1, "bank portal", ""}, {1, 11, 1, "my bank account", ""}, {1, 12, 2, "Savings", ""},
               {2, 13, 2, "Mail", ""}};
    s.cardFields = {{12, 1, 1, "PIN", 1, 10}, {12, 0, 2, "Holder", 0, 40}};
    s.contents = {{10, 0, "bankuser"},    {10, 1, "nothing"},       {11, 0, "alice"},
                  {11, 1, "BankPass!"},   {11, 2, ""},              {12, 0, "Bank holder"},
                  {12, 1, "bank pin 1234"}, {12, 2, "bank remark"}, // no field of card 12 has index 2
                  {13, 0, "bob"},         {13, 1, "about bank fees"}};
    return s;
}

class Search : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        std::string path = Path("search.saf");
        ASSERT_TRUE(WriteFile(path, BuildSafe(Sample())));
        ASSERT_EQ(ReadSafeFile(path, ""), 0);
    }
    void TearDown() override {
        SE_FreeResults();
        ReleaseSafeState();
        SafeTest::TearDown();
    }
    // The hits as "kind:text", in list order, from the result list itself.
    static std::vector<std::string> Hits() {
        std::vector<std::string> out;
        uint32_t expected = 0;
        for (const SEARCHRESULT *r : SE_Results()) {
            EXPECT_EQ(r->index, expected++);
            const char *text = SE_ResultText(r);
            out.push_back(std::to_string(r->kind) + ":" + (text ? text : "(gone)"));
        }
        return out;
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> out;
        for (auto &row : ui.searchRows)
            out.push_back(std::to_string(row.kind) + ":" + row.text);
        return out;
    }
    static TREEHANDLE H(uintptr_t v) { return reinterpret_cast<TREEHANDLE>(v); }
};

const std::vector<std::string> kAllBankHits = {
    "1:My Bank", "2:my bank account", "3:BankPass!", "3:bank pin 1234", "3:Bank holder",
    "2:bank portal", "3:bankuser", "3:about bank fees",
};
} // namespace

TEST(SearchMatching, CaseOfAToZOnly) {
    EXPECT_TRUE(SE_Matches("my bank account", 50, "BANK"));
    EXPECT_TRUE(SE_Matches("MY BANK", 50, "my bank"));
    EXPECT_TRUE(SE_Matches("aaab", 50, "aab")) << "a false start does not skip the real one";
    EXPECT_TRUE(SE_Matches("fees", 50, "fees"));
    EXPECT_FALSE(SE_Matches("fee", 50, "fees"));
    EXPECT_FALSE(SE_Matches("abcdef", 3, "def")) << "only the text's own length is searched";
    EXPECT_FALSE(SE_Matches("B\xc4R", 50, "b\xe4r")) << "bytes beyond A to Z match only themselves";
    EXPECT_TRUE(SE_Matches("B\xc4R", 50, "b\xc4r"));
    EXPECT_FALSE(SE_Matches("[x]", 50, "{X}")) << "no folding outside the letters";
    EXPECT_FALSE(SE_Matches("anything", 50, ""));
    EXPECT_FALSE(SE_Matches(nullptr, 50, "a"));
}

TEST_F(Search, HitsComeFolderByFolderCardByCardFieldByField) {
    EXPECT_EQ(SE_Search("BANK", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 8u);
    EXPECT_EQ(Hits(), kAllBankHits);
    std::vector<std::string> shown = kAllBankHits;
    shown[2] = "3:*********";     // "BankPass!" in a password field
    shown[3] = "3:*************"; // "bank pin 1234" in card 12's own password field
    EXPECT_EQ(Rows(), shown) << "the window shows the same rows, passwords as the card view shows them";
    for (size_t i = 0; i < ui.searchRows.size(); ++i)
        EXPECT_EQ(ui.searchRows[i].index, i);
    EXPECT_EQ(ui.searchBegins, 1) << "the window is prepared once, at the first hit";
    EXPECT_EQ(ui.searchCounts, std::vector<uint32_t>{8});
    // The window asks for its rows by index: the same rows, cut to its buffer.
    for (uint32_t i = 0; i <= 8; ++i) {
        char text[6] = "x";
        uint32_t kind = SE_ResultRow(i, text, sizeof text);
        EXPECT_EQ(std::to_string(kind) + ":" + text, i < 8 ? shown[i].substr(0, 7) : "0:") << i;
    }
}

TEST_F(Search, OptionBitsChooseWhatIsSearched) {
    SE_Search("bank", SE_CONTENTS);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"3:BankPass!", "3:bank pin 1234", "3:Bank holder", "3:bankuser",
                                                "3:about bank fees"}))
        << "no folder or card names; the result keeps the password's text";
    SE_Search("bank", SE_FOLDERS);
    EXPECT_EQ(Hits(), std::vector<std::string>{"1:My Bank"});
    SE_Search("bank", SE_CARDS);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"2:my bank account", "2:bank portal"}));
    SE_Search("bank", SE_FOLDERS | SE_CONTENTS);
    EXPECT_EQ(Hits().size(), 6u);
    EXPECT_EQ(SE_Search("bank", 0), 0u);
    EXPECT_EQ(SE_SearchOptions(0, 0, 0), SE_FOLDERS | SE_CARDS | SE_CONTENTS) << "no switch: all three";
    EXPECT_EQ(SE_SearchOptions(0, 1, 0), SE_CARDS);
    EXPECT_EQ(SE_SearchOptions(1, 0, 1), SE_FOLDERS | SE_CONTENTS);
}

TEST_F(Search, AnIndividualCardIsSearchedThroughItsOwnFieldsOnly) {
    EXPECT_EQ(SE_Search("remark", SE_CONTENTS), 0u) << "card 12 has no field of index 2";
    EXPECT_EQ(SE_Search("pin 12", SE_CONTENTS), 1u);
    const SEARCHRESULT *r = SE_FindResult(0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->nKartenKennung, 12u);
    EXPECT_EQ(r->nOrdnerKennung, 1u);
    EXPECT_EQ(r->nFeldIndex, 1u);
}

TEST_F(Search, NoHitLeavesTheWindowAsItWas) {
    ASSERT_EQ(SE_Search("bank", SE_CARDS), 2u);
    EXPECT_EQ(SE_Search("no such text", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 0u);
    EXPECT_EQ(ui.searchBegins, 1);
    EXPECT_EQ(ui.searchRows.size(), 2u) << "the old rows stay";
    EXPECT_EQ(ui.searchCounts, (std::vector<uint32_t>{2, 0}));
    EXPECT_TRUE(SE_Results().empty());
    EXPECT_EQ(SE_FindResult(0), nullptr) << "so the old rows select nothing";

    EXPECT_EQ(SE_Search("", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 0u) << "an empty text finds nothing";
    EXPECT_EQ(SE_Search(nullptr, SE_FOLDERS), 0u);
    EXPECT_EQ(ui.searchCounts.back(), 0u);
}

TEST_F(Search, EmptyContentsAndAnEmptySafe) {
    // Contents of length 0 never reach the test, even with text behind them.
    for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        if (c->nKartenKennung == 13 && c->nFeldIndex == 1)
            c->nFeldLaenge = 0;
    SE_Search("fees", SE_CONTENTS);
    EXPECT_TRUE(Hits().empty());

    ReleaseSafeState();
    EXPECT_EQ(SE_Search("bank", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 0u);
    EXPECT_EQ(ui.searchCounts.back(), 0u);
}

TEST_F(Search, AHitFindsItsRecordAfterTheTreeWasRebuilt) {
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        o->hOrdnerTree = H(0x100 + o->nOrdnerKennung);
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        k->hCardTree = H(0x200 + k->nKartenKennung);
    ASSERT_EQ(SE_Search("BANK", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 8u);
    EXPECT_EQ(SE_FindResult(0)->item, H(0x101));
    EXPECT_EQ(SE_FindResult(3)->item, H(0x20c)) << "a content hit holds its card's item";
    EXPECT_EQ(SE_FindResult(8), nullptr);

    // The tree is filled again: every item changes, card 10 is filtered out.
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        o->hOrdnerTree = H(0x300 + o->nOrdnerKennung);
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        k->hCardTree = k->nKartenKennung == 10 ? nullptr : H(0x400 + k->nKartenKennung);
    EXPECT_EQ(SE_ResultTreeItem(SE_FindResult(0)), H(0x301));
    EXPECT_EQ(SE_ResultTreeItem(SE_FindResult(2)), H(0x40b));
    EXPECT_EQ(SE_ResultTreeItem(SE_FindResult(5)), nullptr) << "not in the tree: nothing to select";
    EXPECT_EQ(SE_ResultTreeItem(nullptr), nullptr);

    // A deleted card leaves its hits with nothing to select or show.
    ASSERT_EQ(CW_RemoveCardStruct(H(0x40b)), 0);
    EXPECT_EQ(SE_ResultTreeItem(SE_FindResult(1)), nullptr);
    EXPECT_EQ(SE_ResultText(SE_FindResult(2)), nullptr);
    EXPECT_STREQ(SE_ResultText(SE_FindResult(0)), "My Bank");
}

TEST_F(Search, TheQuietSearchGivesTheSameHitsWithoutAWindow) {
    EXPECT_EQ(SE_SearchSafe("BANK", SE_SearchOptions(0, 0, 0)), 8u);
    EXPECT_EQ(Hits(), kAllBankHits);
    EXPECT_EQ(ui.searchBegins, 0);
    EXPECT_TRUE(ui.searchCounts.empty());
    EXPECT_TRUE(ui.shown.empty());
}

// A click on a row: the present item, the filter's refusal told to the user,
// or nothing for a row without a living record.
TEST_F(Search, AClickSelectsTheHitOrSaysTheFilterHidesIt) {
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        o->hOrdnerTree = H(0x100 + o->nOrdnerKennung);
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        k->hCardTree = k->nKartenKennung == 10 ? nullptr : H(0x200 + k->nKartenKennung);
    ASSERT_EQ(SE_Search("BANK", SE_FOLDERS | SE_CARDS | SE_CONTENTS), 8u);
    ASSERT_EQ(CW_RemoveCardStruct(H(0x20d)), 0); // card 13: "about bank fees", hit 7
    const struct {
        uint32_t index;
        TREEHANDLE item;
        bool told;
    } rows[] = {
        {0, H(0x101), false}, // the folder
        {3, H(0x20c), false}, // a content hit selects its card
        {5, nullptr, true},   // card 10 is filtered out of the tree
        {7, nullptr, false},  // deleted since the search
        {8, nullptr, false},  // no such hit
    };
    for (const auto &row : rows) {
        ui.shown.clear();
        EXPECT_EQ(SE_ClickResult(row.index), row.item) << row.index;
        ASSERT_EQ(ui.shown.size(), row.told ? 1u : 0u) << row.index;
        if (row.told) {
            EXPECT_EQ(ui.shown[0].text, "This entry is hidden by the category filter");
        }
    }
}
