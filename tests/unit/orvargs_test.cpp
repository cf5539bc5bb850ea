#include "args/orvargs.h"

#include <gtest/gtest.h>

#include <string>

TEST(OrvArgs, FirstFieldLengthDecidesTheExitCode) {
    EXPECT_EQ(ARGS_GetExitCode(""), 94431) << "an empty line keeps \"<Leer>\" in the first slot";
    EXPECT_EQ(ARGS_GetExitCode(" "), 94431) << "a lone blank stands for an empty field";
    EXPECT_EQ(ARGS_GetExitCode("abc"), 0);
    EXPECT_EQ(ARGS_GetExitCode("abcd"), 94431);
    EXPECT_EQ(ARGS_GetExitCode("\t\tabc"), 0) << "leading TABs are skipped";
    EXPECT_EQ(ARGS_GetExitCode("abc\t abcdef"), 0) << "only the first field counts";
    EXPECT_EQ(ARGS_GetExitCode("ab c"), 94431) << "blanks inside a field are kept";
}

TEST(OrvArgs, FieldsAreSplitAtTabsWithTheirLeadingCharacterDropped) {
    ARGS_FIELDTAB f;
    ARGS_SplitFields("first\t abc\tabc\t \t\t\t x", &f);
    EXPECT_STREQ(f.field[0], "first");
    EXPECT_STREQ(f.field[1], "abc");
    EXPECT_STREQ(f.field[2], "bc");
    EXPECT_STREQ(f.field[3], "<Leer>") << "a field of one blank stays empty";
    EXPECT_STREQ(f.field[4], "x") << "a run of TABs is one separator";
    EXPECT_STREQ(f.field[5], "<Leer>");
}

TEST(OrvArgs, TokensAfterTheSixthAreIgnoredAndFieldsAreCut) {
    ARGS_FIELDTAB f;
    ARGS_SplitFields("1111\t 2\t 3\t 4\t 5\t 6\t 7\t 8", &f);
    EXPECT_STREQ(f.field[5], "6");
    std::string longFirst(300, 'x');
    ARGS_SplitFields(longFirst.c_str(), &f);
    EXPECT_EQ(std::string(f.field[0]), std::string(256, 'x'));
    EXPECT_EQ(ARGS_GetExitCode(longFirst.c_str()), 94431);
}

TEST(OrvArgs, OnlyTheFirst1023CharactersAreLookedAt) {
    // The second field starts at character 1023: it is cut off entirely.
    std::string line = std::string(1022, 'a') + "\t Z";
    ARGS_FIELDTAB f;
    ARGS_SplitFields(line.c_str(), &f);
    EXPECT_STREQ(f.field[1], "<Leer>");
    line = std::string(1020, 'a') + "\t Z";
    ARGS_SplitFields(line.c_str(), &f);
    EXPECT_STREQ(f.field[1], "Z");
}
