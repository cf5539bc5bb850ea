#include "model/field_types.h"
#include "model/records.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
class Records : public ModelTest {};

template <typename T> std::vector<T *> Walk(T *start) {
    std::vector<T *> out;
    for (T *r = start; r; r = r->next)
        out.push_back(r);
    return out;
}
} // namespace

TEST_F(Records, AppendingLinksZeroFilledRecordsAtTheTail) {
    ORDNER *a = SW_AppendOrdner("TT_M_00");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(lpORDNERstart, a);
    EXPECT_EQ(lpORDNERact, a);
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(a);
    for (size_t i = 0; i < sizeof(ORDNER); ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    ORDNER *b = SW_AppendOrdner("TT_M_00");
    ORDNER *c = SW_AppendOrdner("TT_M_00");
    EXPECT_EQ(Walk(lpORDNERstart), (std::vector<ORDNER *>{a, b, c}));
    EXPECT_EQ(lpORDNERact, c);
    EXPECT_EQ(c->next, nullptr);

    // The other four lists work alike and stay apart.
    FELDTABELLE *f = SW_AppendFeldTabelle("TT_M_01");
    KARTE *k1 = SW_AppendKarte("TT_M_02"), *k2 = SW_AppendKarte("TT_M_02");
    FELDTABCARD *t = SW_AppendFeldTabCard("TT_M_03");
    FELDINHALT *i = SW_AppendFeldInhalt("TT_M_04");
    EXPECT_EQ(Walk(lpFELDTABELLEstart), std::vector<FELDTABELLE *>{f});
    EXPECT_EQ(Walk(lpKARTEstart), (std::vector<KARTE *>{k1, k2}));
    EXPECT_EQ(lpKARTEact, k2);
    EXPECT_EQ(Walk(lpFELDTABCARDstart), std::vector<FELDTABCARD *>{t});
    EXPECT_EQ(Walk(lpFELDINHALTstart), std::vector<FELDINHALT *>{i});
    EXPECT_EQ(i->lpFeldInhalt, nullptr);
}

TEST_F(Records, FindListTailsAfterUnlinkingAndAppendingAgain) {
    ORDNER *a = AddFolder(1, 1, "a");
    ORDNER *b = AddFolder(2, 2, "b");
    KARTE *k = AddCard(1, 1, 1, "k");
    AddField(1, 0, 1, "f");
    FELDTABCARD *t1 = AddCardField(1, 0, 1, "t1");
    FELDTABCARD *t2 = AddCardField(1, 1, 2, "t2");
    AddContent(1, 0, "x");

    // Unlink the last folder, the only card and the last card field by hand.
    a->next = nullptr;
    T_Free("TT_F_00", b);
    lpKARTEstart = nullptr;
    T_Free("TT_F_00", k);
    t1->next = nullptr;
    T_Free("TT_F_00", t2);
    SW_FindListTails();
    EXPECT_EQ(lpORDNERact, a);
    EXPECT_EQ(lpKARTEact, nullptr);
    EXPECT_EQ(lpFELDTABCARDact, t1) << "the card field tables get their tail back too";
    EXPECT_EQ(lpFELDTABELLEact, lpFELDTABELLEstart);
    EXPECT_EQ(lpFELDINHALTact, lpFELDINHALTstart);

    ORDNER *c = AddFolder(3, 3, "c");
    KARTE *k2 = AddCard(1, 2, 1, "k2");
    FELDTABCARD *t3 = AddCardField(1, 2, 3, "t3");
    EXPECT_EQ(Walk(lpORDNERstart), (std::vector<ORDNER *>{a, c}));
    EXPECT_EQ(Walk(lpKARTEstart), std::vector<KARTE *>{k2});
    EXPECT_EQ(Walk(lpFELDTABCARDstart), (std::vector<FELDTABCARD *>{t1, t3}));
}

TEST_F(Records, TheFieldTypeTableHasTwentyByteRowsInCodeOrder) {
    const char *names[] = {"NORMAL", "PASSWORT", "URL", "E-MAIL", "PROGRAMM", "ALARM"};
    int rows = 0;
    for (const FELDTYP *t = FeldTypen; t->nTyp != FELDTYP_ENDE; ++t, ++rows) {
        ASSERT_LT(rows, 6);
        EXPECT_STREQ(t->cName, names[rows]);
        EXPECT_EQ(t->nTyp, static_cast<uint32_t>(rows)) << "list position equals type code";
        for (size_t i = strlen(t->cName); i < FELDTYP_NAME_LEN; ++i)
            EXPECT_EQ(t->cName[i], 0) << "zero-padded";
    }
    EXPECT_EQ(rows, 6);
    EXPECT_STREQ(FeldTypen[6].cName, "");
    EXPECT_EQ(sizeof(FELDTYP), 20u);
}
