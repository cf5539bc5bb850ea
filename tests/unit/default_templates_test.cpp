#include "model/default_templates.h"
#include "model/feldstruct.h"
#include "model/templates.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
// A file below dist of the source tree; under Wine the Unix root is drive Z:.
std::string DistFile(const std::string &name = "orvtemplate.ini") {
    std::string top = ORV_SOURCE_DIR;
    for (char &c : top)
        if (c == '/')
            c = '\\';
#ifdef _WIN32
    top = "Z:" + top;
#endif
    return top + "\\dist\\" + name;
}

class DefaultTemplates : public ModelTest {};
} // namespace

TEST_F(DefaultTemplates, TheCompiledTextIsTheShippedFile) {
    std::string shipped = ReadFile(DistFile());
    ASSERT_FALSE(shipped.empty()) << DistFile();
    EXPECT_EQ(shipped, std::string(TW_DefaultTemplates));
}

TEST_F(DefaultTemplates, InstalledOnlyWhereNoTemplateFileIs) {
    ASSERT_EQ(TW_InstallDefaultTemplates(), 0);
    EXPECT_EQ(ReadFile(Path("orvtemplate.ini")), TW_DefaultTemplates);
    EXPECT_FALSE(FileExists(Path("orvtemplate.ini.tmp")));
    ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), "[Templates]\r\nOrdner1=Mine,m.ico\r\n"));
    EXPECT_EQ(TW_InstallDefaultTemplates(), 0);
    EXPECT_EQ(ReadFile(Path("orvtemplate.ini")), "[Templates]\r\nOrdner1=Mine,m.ico\r\n");
    ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), ""));
    EXPECT_EQ(TW_InstallDefaultTemplates(), 0);
    EXPECT_EQ(ReadFile(Path("orvtemplate.ini")), "") << "an empty file is the user's choice";
}

TEST_F(DefaultTemplates, AFailedWriteLeavesNoFileBehind) {
    for (PL_FAULT fault : {PL_FAULT_OPEN, PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        PL_ResetFaults();
        PL_FailCall(fault, 1);
        EXPECT_EQ(TW_InstallDefaultTemplates(), -1) << fault;
        EXPECT_FALSE(FileExists(Path("orvtemplate.ini"))) << fault;
        EXPECT_FALSE(FileExists(Path("orvtemplate.ini.tmp"))) << fault;
    }
    PL_ResetFaults();
    EXPECT_EQ(TW_InstallDefaultTemplates(), 0);
}

TEST_F(DefaultTemplates, EveryShippedTemplateLoadsWithUsableFields) {
    ASSERT_EQ(TW_InstallDefaultTemplates(), 0);
    std::vector<std::string> names;
    TW_ListTemplates([](void *ctx, const char *name, const char *) {
        static_cast<std::vector<std::string> *>(ctx)->push_back(name);
    }, &names);
    EXPECT_EQ(names, (std::vector<std::string>{"Web login", "E-mail account", "Bank account", "Credit card",
                                               "Software licence", "Program", "Wi-Fi network"}));
    std::vector<uint32_t> typesSeen(7, 0);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        EXPECT_EQ(TW_GetTemplateNumber(name.c_str()), static_cast<int>(i + 1));
        char icon[TW_NAME_LEN];
        ASSERT_EQ(TW_GetTemplateIcon(name.c_str(), icon, "TW03"), 0);
        // Icon names compare with their case: the file shipped must match exactly.
        EXPECT_TRUE(FileExists(DistFile(std::string("Icons\\") + icon))) << name << ": " << icon;
        ASSERT_EQ(TW_LoadTemplate(name.c_str()), 1) << name;
        uint32_t dragged = 0;
        for (uint32_t f = 0; f < FeldEditor.nFeldStructCount; ++f) {
            const FELDSTRUCT &e = FeldStruct[f];
            EXPECT_GE(e.nLaenge, 1u) << name << " " << e.cName;
            EXPECT_LE(e.nLaenge, 250u);
            ++typesSeen[e.nTyp];
            dragged += e.nDrag;
            // What the file says is what the editor's rules would make of it.
            FELDSTRUCT ruled = e;
            FS_ApplyTypeRules(&ruled);
            EXPECT_EQ(ruled.nLaenge, e.nLaenge) << name << " " << e.cName;
            EXPECT_EQ(ruled.nDrag, e.nDrag);
        }
        EXPECT_GE(dragged, 1u) << name << " has something to drag into a login form";
    }
    for (uint32_t t = FT_NORMAL; t <= FT_ALARM; ++t)
        EXPECT_GE(typesSeen[t], 1u) << "type " << t << " is used somewhere";
    EXPECT_TRUE(ui.shown.empty());
}
