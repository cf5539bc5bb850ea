#include "exchange/exchange.h"
#include "frame/logs.h"
#include "platform/platform.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class ExchangeCommands : public SafeTest {};
} // namespace

// The rules of "Import..." and "Export...": what is asked, what is told, and
// that a refusal or failure leaves no file and no change.
TEST_F(ExchangeCommands, RefusalsTellWhyAndLeaveNothing) {
    const std::string in = Path("in.csv"), out = Path("out.xml");
    WriteFile(in, "name,url,username,password,note\nT,u,\"n,p,\n");
    MakeActive(Path("s.saf"), "secret");
    const std::string wrote = "The export is not encrypted: whoever can read " + out +
                              " can read every password in it. Delete it when you are done.\n\nWrite it?";
    struct Row {
        bool import;
        std::vector<std::string> passwords;
        std::vector<int> answers;
        PL_FAULT fault;
        int rc;
        std::vector<std::string> told;
        bool written;
    } rows[] = {
        {true, {}, {}, PL_FAULT_KINDS, -1,
         {"Cannot import " + in + ": line 2, column 5: a quoted field without its closing quote. Nothing was imported."},
         false},
        {false, {}, {}, PL_FAULT_KINDS, 1, {}, false},                                         // the prompt cancelled
        {false, {"Secret"}, {}, PL_FAULT_KINDS, 1, {"Wrong password: nothing was exported."}, false},
        {false, {"secret"}, {UI_IDCANCEL}, PL_FAULT_KINDS, 1, {wrote}, false},
        {false, {"secret"}, {UI_IDOK, UI_IDOK}, PL_FAULT_WRITE, -1,
         {wrote, "The export could not be written to " + out + ": " + T_GetSystemMessage(PL_ERROR_DISK_FULL)}, false},
        {false, {"secret"}, {UI_IDOK}, PL_FAULT_KINDS, 0, {wrote}, true},
        {false, {"secret"}, {UI_IDOK, UI_IDOK}, PL_FAULT_KINDS, -1, {wrote}, true}, // never over a file
    };
    for (const Row &r : rows) {
        ui.shown.clear();
        ui.passwords.assign(r.passwords.begin(), r.passwords.end());
        ui.answers.assign(r.answers.begin(), r.answers.end());
        if (r.fault != PL_FAULT_KINDS)
            PL_FailCall(r.fault, 1);
        XC_REPORT report;
        EXPECT_EQ(r.import ? XC_ImportCommand(in.c_str(), &report) : XC_ExportCommand(XC_KEEPASS_XML, out.c_str()),
                  r.rc);
        PL_ResetFaults();
        ASSERT_GE(ui.shown.size(), r.told.size());
        for (size_t k = 0; k < r.told.size(); ++k)
            EXPECT_EQ(ui.shown[k].text, r.told[k]);
        EXPECT_EQ(ReadFile(out).rfind("<?xml", 0) == 0, r.written) << r.rc;
        EXPECT_EQ(lpORDNERstart, nullptr);
    }
}
