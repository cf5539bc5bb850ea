// The safe's envelopes: one made without a password is refused where the safe
// has a password.
#include "crypto/cryptlib.h"
#include "crypto/data_envelope.h"
#include "crypto/file_crypt.h"
#include "frame/memory.h"
#include "model/records.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <vector>

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

// With every envelope of the library taken, nothing can be enveloped or opened:
// each call says so, an empty text included, and none reports success.
TEST_F(DataEnvelope, AnEnvelopeTheLibraryCannotMakeIsAFailureNeverAnEmptyResult) {
    std::vector<CRYPT_ENVELOPE> taken;
    CRYPT_ENVELOPE env = 0;
    while (cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB) == CRYPT_OK)
        taken.push_back(env);
    ASSERT_FALSE(taken.empty());
    for (uint32_t length : {0u, 5u}) {
        CRYPTRESULT result{nullptr, 0};
        EXPECT_EQ(docryptMyData("plain", length, "pw", NPWYESNO_YES, &result), -1) << length;
        EXPECT_EQ(result.lpData, nullptr);
    }
    EXPECT_EQ(ui.shown.size(), 2u);
    char out[8];
    EXPECT_EQ(CY_DecryptData(out, sizeof out, "pw", T_Malloc("T_M_00", 4), 4), -1);
    std::string path = Path("file.txt");
    ASSERT_TRUE(WriteFile(path, "plain text"));
    EXPECT_EQ(docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1);
    EXPECT_EQ(ReadFile(path), "plain text");
    for (CRYPT_ENVELOPE e : taken)
        cryptDestroyEnvelope(e);
}
