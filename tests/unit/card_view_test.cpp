#include "model/card_view.h"

#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
struct Painted {
    std::vector<CW_ROW> rows;
    static void Row(void *ctx, const CW_ROW *row) { static_cast<Painted *>(ctx)->rows.push_back(*row); }
    static int Width(void *, const char *text) { return 7 * static_cast<int>(strlen(text)); }
};

class CardView : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        AddFolder(1, 1, "Web");
        AddField(1, 0, 1, "User");
        AddField(1, 1, 2, "Password", FT_PASSWORT);
        AddField(1, 2, 3, "Address", FT_URL, 100);
        AddField(1, 3, 4, "Mail", FT_EMAIL, 100);
        AddField(1, 4, 5, "Tool", FT_PROGRAMM, 200);
        AddCard(1, 1, 1, "Shop");
        AddContent(1, 0, "alice");
        AddContent(1, 1, "s3cr3t!");
        AddContent(1, 2, "shop.example.org");
        AddContent(1, 3); // empty: no link
        AddContent(1, 4, "C:\\Tools\\run.exe");
    }
    void TearDown() override {
        CW_FreeLinkSpots();
        ModelTest::TearDown();
    }
};
} // namespace

TEST_F(CardView, LinkTargets) {
    char out[CW_TARGET_SIZE];
    EXPECT_EQ(CW_LinkTarget(FT_URL, "example.org", out), 0);
    EXPECT_STREQ(out, "http://example.org");
    EXPECT_EQ(CW_LinkTarget(FT_URL, "https://example.org/a", out), 0);
    EXPECT_STREQ(out, "https://example.org/a");
    EXPECT_EQ(CW_LinkTarget(FT_URL, "http://example.org", out), 0);
    EXPECT_STREQ(out, "http://example.org");
    EXPECT_EQ(CW_LinkTarget(FT_URL, "HTTPS://example.org", out), 0) << "the prefix is compared case-sensitively";
    EXPECT_STREQ(out, "http://HTTPS://example.org");
    EXPECT_EQ(CW_LinkTarget(FT_EMAIL, "bob@example.org", out), 0);
    EXPECT_STREQ(out, "mailto:bob@example.org");
    EXPECT_EQ(CW_LinkTarget(FT_PROGRAMM, "C:\\x.exe", out), 1);
    EXPECT_STREQ(out, "C:\\x.exe");
    EXPECT_EQ(CW_LinkTarget(FT_NORMAL, "text", out), -1);
    EXPECT_EQ(CW_LinkTarget(FT_PASSWORT, "text", out), -1);

    std::string longest(250, 'a'); // the target never runs past its buffer
    EXPECT_EQ(CW_LinkTarget(FT_URL, longest.c_str(), out), 0);
    EXPECT_EQ(strlen(out), 257u);
}

TEST_F(CardView, PasswordsShowOneStarACharacter) {
    char out[16];
    CW_MaskText("seven!!", out, sizeof out);
    EXPECT_STREQ(out, "*******");
    CW_MaskText("", out, sizeof out);
    EXPECT_STREQ(out, "");
    CW_MaskText("a much longer password", out, sizeof out);
    EXPECT_STREQ(out, "***************");
}

TEST_F(CardView, RowsLinksAndMaskedPasswords) {
    Painted p;
    EXPECT_EQ(CW_LayoutCard(1, 60, 14, 0, 0, Painted::Row, Painted::Width, &p), 5);
    ASSERT_EQ(p.rows.size(), 5u);
    EXPECT_STREQ(p.rows[0].name, "User");
    EXPECT_STREQ(p.rows[0].text, "alice");
    EXPECT_EQ(p.rows[0].y, 0);
    EXPECT_EQ(p.rows[0].nameX, 2);
    EXPECT_EQ(p.rows[0].textX, 76);
    EXPECT_FALSE(p.rows[0].bLink);
    EXPECT_STREQ(p.rows[1].text, "*******");
    EXPECT_EQ(p.rows[1].textDy, 2);
    EXPECT_EQ(p.rows[1].y, 14);
    EXPECT_TRUE(p.rows[2].bLink);
    EXPECT_STREQ(p.rows[2].text, "shop.example.org");
    EXPECT_FALSE(p.rows[3].bLink) << "an empty mail field is no link";
    EXPECT_TRUE(p.rows[4].bLink);

    ASSERT_NE(CW_FirstLinkSpot(), nullptr);
    const LINKSPOT *web = CW_FirstLinkSpot();
    EXPECT_EQ(web->type, FT_URL);
    EXPECT_EQ(web->y, 28);
    EXPECT_EQ(web->height, 14);
    EXPECT_EQ(web->x, 2);
    EXPECT_EQ(web->width, 7 * 16);
    EXPECT_STREQ(web->text, "shop.example.org");
    ASSERT_NE(web->next, nullptr);
    EXPECT_EQ(web->next->type, FT_PROGRAMM);
    EXPECT_EQ(web->next->y, 56);
    EXPECT_EQ(web->next->next, nullptr);

    // A click anywhere on a link's row counts, both ends included.
    EXPECT_EQ(CW_FindLinkSpot(28), web);
    EXPECT_EQ(CW_FindLinkSpot(42), web);
    EXPECT_EQ(CW_FindLinkSpot(43), nullptr);
    EXPECT_EQ(CW_FindLinkSpot(3), nullptr);
    EXPECT_EQ(CW_FindLinkSpot(60), web->next);
}

TEST_F(CardView, ScrolledRowsAreSkippedAndShifted) {
    Painted p;
    EXPECT_EQ(CW_LayoutCard(1, 60, 10, 5, 2, Painted::Row, Painted::Width, &p), 3);
    ASSERT_EQ(p.rows.size(), 3u);
    EXPECT_STREQ(p.rows[0].name, "Address");
    EXPECT_EQ(p.rows[0].y, 0);
    EXPECT_EQ(p.rows[0].nameX, -3);
    EXPECT_EQ(p.rows[0].textX, 71);
    EXPECT_EQ(CW_FirstLinkSpot()->y, 0);
    EXPECT_EQ(CW_FirstLinkSpot()->x, -3);
}

TEST_F(CardView, EveryPaintRebuildsTheLinks) {
    Painted p;
    CW_LayoutCard(1, 60, 10, 0, 0, Painted::Row, Painted::Width, &p);
    CW_LayoutCard(1, 60, 10, 0, 0, Painted::Row, Painted::Width, &p);
    int n = 0;
    for (const LINKSPOT *l = CW_FirstLinkSpot(); l; l = l->next)
        ++n;
    EXPECT_EQ(n, 2);
    CW_FreeLinkSpots();
    EXPECT_EQ(CW_FirstLinkSpot(), nullptr);
    EXPECT_EQ(CW_FindLinkSpot(0), nullptr);
    // The list starts again: a spot added now is the first and the only one.
    const LINKSPOT *again = CW_AddLinkSpot(0, 0, 14, 10, FT_URL, "x");
    EXPECT_EQ(CW_FirstLinkSpot(), again);
    EXPECT_EQ(again->next, nullptr);
    CW_FreeLinkSpots();
}

TEST_F(CardView, ACardWithItsOwnFieldsShowsThoseAlone) {
    AddCard(1, 2, 2, "Own");
    AddCardField(2, 7, 1, "Code", FT_PASSWORT, 10);
    AddContent(2, 7, "1234");
    AddContent(2, 0, "folder field content");
    Painted p;
    EXPECT_EQ(CW_LayoutCard(2, 40, 10, 0, 0, Painted::Row, Painted::Width, &p), 1);
    EXPECT_STREQ(p.rows[0].name, "Code");
    EXPECT_STREQ(p.rows[0].text, "****");
    EXPECT_EQ(CW_FirstLinkSpot(), nullptr);
}

TEST_F(CardView, TheCardsWebAddress) {
    char out[CW_TARGET_SIZE];
    EXPECT_EQ(CW_CardUrlTarget(1, out), 0);
    EXPECT_STREQ(out, "http://shop.example.org");
    AddCard(1, 2, 2, "No address");
    AddContent(2, 2, "");
    EXPECT_EQ(CW_CardUrlTarget(2, out), -1);
    AddCard(1, 3, 3, "Own");
    AddCardField(3, 0, 1, "Code");
    AddContent(3, 0, "x");
    EXPECT_EQ(CW_CardUrlTarget(3, out), -1);
}

TEST_F(CardView, AScreenReaderGetsEachFieldWithItsNameValueAndKind) {
    struct Row {
        int32_t child;
        const char *name, *value;
        int link, protect;
    } const rows[] = {
        {1, "User", "alice", 0, 0},          {2, "Password", "*******", 0, 1},
        {3, "Address", "shop.example.org", 1, 0}, {4, "Mail", "", 0, 0},
        {5, "Tool", "C:\\Tools\\run.exe", 1, 0}, {0, nullptr, nullptr, 0, 0},
        {6, nullptr, nullptr, 0, 0},
    };
    EXPECT_EQ(CW_AccessibleFieldCount(1), 5);
    EXPECT_EQ(CW_AccessibleFieldCount(99), 0);
    for (const Row &r : rows) {
        CW_ACCFIELD f = {};
        ASSERT_EQ(CW_AccessibleField(1, r.child, &f), r.name ? 0 : -1) << r.child;
        if (!r.name)
            continue;
        EXPECT_STREQ(f.name, r.name);
        EXPECT_STREQ(f.value, r.value);
        EXPECT_EQ(f.bLink, r.link) << r.name;
        EXPECT_EQ(f.bProtected, r.protect) << r.name;
    }
}
