#include "cli/cli_text.h"

#include <gtest/gtest.h>

#include <clocale>

// What the terminal shows of a safe text: the terminal's own characters, control
// characters escaped (in quotes as a listing's field), what its encoding lacks
// named by its code point.
TEST(CliText, SafeTextsAreShownInTheTerminalsEncodingWithControlsEscaped) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    struct Row {
        const char *locale, *text;
        bool quoted;
        const char *shown;
    } rows[] = {
        {"C.UTF-8", "s3cr\x80t \xe9\xfc", true, "s3cr\xe2\x82\xact \xc3\xa9\xc3\xbc"},
        {"C.UTF-8", "C:\\Programme\\x.exe \"a\"", true, "C:\\Programme\\x.exe \"a\""},
        {"C.UTF-8", "\x1b[2J", true, "\"\\x1b[2J\""},
        {"C.UTF-8", "two\nlines\tand \"\\\"", true, "\"two\\nlines\\tand \\\"\\\\\\\"\""},
        {"C.UTF-8", "two\nlines \"\\\"", false, "two\\nlines \"\\\""},
        {"C.UTF-8", "\x81\x8d\x8f\x90\x9d\x7f\r", false, "\\x81\\x8d\\x8f\\x90\\x9d\\x7f\\r"},
        {"C", "s3cr\x80t", true, "\"s3cr\\u20act\""},
    };
    for (const Row &r : rows) {
        ASSERT_NE(setlocale(LC_CTYPE, r.locale), nullptr) << r.locale;
        EXPECT_EQ(CLI_Shown(r.text, r.quoted), r.shown) << r.locale << " " << r.text;
    }
    setlocale(LC_CTYPE, "C");
}
