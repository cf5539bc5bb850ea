#include "frame/trace.h"
#include "model/list_release.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class ListRelease : public ModelTest {};
} // namespace

TEST_F(ListRelease, EachListIsFreedAndEmptiedButTheCountersStay) {
    AddFolder(1, 1, "f");
    AddFolder(2, 2, "g");
    AddField(1, 0, 1, "x");
    AddCard(1, 1, 1, "k");
    AddCardField(1, 0, 1, "own");
    FELDINHALT *a = AddContent(1, 0, "top secret");
    AddContent(1, 1);
    FELDINHALT *b = AddContent(1, 2, "pin 4711");
    FreedTexts watch;
    watch.Watch(a->lpFeldInhalt, 10);
    watch.Watch(b->lpFeldInhalt, 8);
    dwTraceLevel = TRACE_FUNCTIONS;
    std::vector<std::string> expected;
    auto line = [](const char *text, const void *start) {
        char buf[120];
        snprintf(buf, sizeof buf, text, TRACE_PTR(start));
        return std::string(buf);
    };
    expected.push_back(line("B SW_FreeOrdnertabelle() (lpORDNERstart=%x)", lpORDNERstart));
    SW_FreeOrdnertabelle();
    expected.push_back(line("B SW_FreeFeldTabelle() (lpFELDTABELLEstart=%x)", lpFELDTABELLEstart));
    SW_FreeFeldTabelle();
    expected.push_back(line("B SW_ReleaseFieldTable() (lpFELDTABCARDstart=%x)", lpFELDTABCARDstart));
    SW_ReleaseFieldTable();
    expected.push_back(line("B SW_FreeKartenTabelle() (lpKARTEstart=%x)", lpKARTEstart));
    SW_FreeKartenTabelle();
    expected.push_back(line("B SW_FreeFeldInhaltTabelle() (lpFELDINHALTstart=%x)", lpFELDINHALTstart));
    SW_FreeFeldInhaltTabelle();

    EXPECT_EQ(TraceLines("SW_FNK"), expected);
    EXPECT_EQ(watch.freed, (std::vector<std::string>{std::string(10, '\0'), std::string(8, '\0')}))
        << "contents are wiped before they are freed";
    EXPECT_EQ(lpORDNERstart, nullptr);
    EXPECT_EQ(lpORDNERact, nullptr);
    EXPECT_EQ(lpFELDTABELLEstart, nullptr);
    EXPECT_EQ(lpFELDTABELLEact, nullptr);
    EXPECT_EQ(lpFELDTABCARDstart, nullptr);
    EXPECT_EQ(lpFELDTABCARDact, nullptr);
    EXPECT_EQ(lpKARTEstart, nullptr);
    EXPECT_EQ(lpKARTEact, nullptr);
    EXPECT_EQ(lpFELDINHALTstart, nullptr);
    EXPECT_EQ(lpFELDINHALTact, nullptr);
    EXPECT_EQ(RecordCounts.nOrdnerCount, 2u);
    EXPECT_EQ(RecordCounts.nFeldCount, 1u);
    EXPECT_EQ(RecordCounts.nCardCount, 1u);

    // Released lists take new records again, and releasing empty lists is harmless.
    AddFolder(1, 1, "again");
    EXPECT_EQ(lpORDNERstart, lpORDNERact);
    SW_FreeOrdnertabelle();
    SW_FreeOrdnertabelle();
    EXPECT_EQ(lpORDNERstart, nullptr);
}
