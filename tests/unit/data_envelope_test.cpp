// The safe's envelopes: one made without a password is refused where the safe
// has a password.
#include "model/records.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class DataEnvelope : public SafeTest {};
} // namespace

TEST_F(DataEnvelope, ASafeWhoseEnvelopesDoNotAskForItsPasswordDoesNotOpen) {
    SafeContents s;
    s.password = "the owner's";
    s.plainEnvelopes = true; // planted contents
    s.folders = {{1, 1, "Bank", ""}};
    s.fields = {{1, 0, 1, "IBAN", 0, 34, 0}};
    s.cards = {{1, 1, 1, "Giro", ""}};
    s.contents = {{1, 0, "planted"}};
    std::string path = Path("planted.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(s)));
    EXPECT_EQ(ReadSafeFile(path, "any password"), -1);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().text, "error in encrypt safe");
    EXPECT_EQ(lpFELDINHALTstart, nullptr);
}
