// No secret of a safe outlives it in the process's memory: the core's own
// steps (read, write back, close), counted by scanning the process itself.
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/memory_scan.h"
#include "support/safe_fixture.h"

#include <gcrypt.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace testsupport;

namespace {
// Answers the password prompt from the scan's region.
class RegionPort : public FakePort {
  public:
    int AskPassword(const char *, char *password, unsigned size) override {
        snprintf(password, size, "%s", typed);
        return UI_IDOK;
    }
    const char *typed = "";
};

class SecretMemory : public SafeTest {};
using SecretSample = SecretMemory;
} // namespace

// The process apart that writes the sample runs this alone, set up as the
// tests are (the cryptography started).
TEST_F(SecretSample, DISABLED_Write) {
    const char *sampleDir = getenv(kSampleVariable);
    ASSERT_NE(sampleDir, nullptr);
    WriteSecretSample(sampleDir);
}

TEST_F(SecretMemory, TheCoreKeepsTheSecretsWhileTheSafeIsOpenAndNoneAfter) {
    SecretScan scan;
    ASSERT_TRUE(scan.MakeSample(dir));
    RegionPort port;
    port.typed = scan.Secret(SECRET_PASSWORD);
    UI_SetPort(&port);
    const std::string path = Path("secret.saf");
    struct Step {
        const char *name;
        std::function<void()> act;
        bool open;
    };
    const Step steps[] = {
        {"read", [&] { ASSERT_EQ(SW_GetSafe(path.c_str()), 0); }, true},
        {"write back", [] { ASSERT_EQ(SW_PutSafe(0, 0), 0); }, true},
        {"close", [] { ASSERT_EQ(SW_CloseSafe(0), 0); }, false},
        {"read again", [&] { ASSERT_EQ(SW_GetSafe(path.c_str()), 0); }, true},
        {"close written", [] { ASSERT_EQ(SW_CloseSafe(1), 0); }, false},
    };
    for (const Step &step : steps) {
        step.act();
        SecretCount found[SECRET_COUNT];
        scan.Scan(found);
        for (int s = SECRET_PASSWORD; s <= SECRET_CARD; ++s)
            EXPECT_EQ(found[s].total() > 0, step.open) << step.name << ", secret " << s << ": " << found[s].ansi
                                                       << " ANSI, " << found[s].wide << " UTF-16";
    }
    // The copies the open safe needs stand in the secure pool, beside its keys.
    EXPECT_TRUE(gcry_is_secure(cActPasswort) && gcry_is_secure(cTmpPasswort));
    UI_SetPort(&ui);
}
