#include "model/card_fields.h"

#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class CardFields : public ModelTest {
  protected:
    static std::string Walk(uint32_t card) {
        std::string s;
        CF_CURSOR c;
        CF_FIELD f;
        for (int more = CF_First(card, &c, &f); more; more = CF_Next(&c, &f))
            s += std::to_string(f.nFeldIndex) + ":" + f.name + ":" + std::to_string(f.type) + " ";
        return s;
    }
};
} // namespace

TEST_F(CardFields, TheFolderTableUnlessTheCardHasItsOwn) {
    AddFolder(1, 1, "A");
    AddFolder(2, 2, "B");
    AddField(1, 0, 1, "User");
    AddField(2, 0, 1, "Other");
    AddField(1, 1, 2, "Password", FT_PASSWORT);
    AddCard(1, 1, 1, "Plain");
    AddCard(1, 2, 2, "Own");
    AddCardField(2, 5, 1, "PIN", FT_PASSWORT, 4);
    AddCardField(3, 0, 1, "Someone else's");
    AddCardField(2, 6, 2, "Web", FT_URL);
    EXPECT_EQ(Walk(1), "0:User:0 1:Password:1 ");
    EXPECT_EQ(Walk(2), "5:PIN:1 6:Web:2 ");
    EXPECT_EQ(Walk(9), "") << "an unknown card has no fields";

    CF_FIELD f;
    EXPECT_EQ(CF_FindField(2, 6, &f), 0);
    EXPECT_STREQ(f.name, "Web");
    EXPECT_EQ(CF_FindField(2, 0, &f), -1) << "the folder's fields are not the individual card's";
    EXPECT_EQ(CF_FindField(1, 1, &f), 0);
    EXPECT_EQ(f.length, 30u);
    EXPECT_EQ(CF_CardFolder(2), 1u);
    EXPECT_EQ(CF_CardFolder(9), 0u);
    EXPECT_TRUE(LogLines().empty()) << "lookups log nothing";
}
