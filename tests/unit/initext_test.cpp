#include "config/initext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
// A text to read and change, shown as a std::string.
class Text {
  public:
    explicit Text(const std::string &s = "") {
        IT_Init(&t);
        IT_Assign(&t, s.data(), static_cast<uint32_t>(s.size()));
    }
    ~Text() { IT_Free(&t); }
    std::string Get(const char *section, const char *key, uint32_t size = 260) const {
        std::string buf(size, '#');
        uint32_t n = IT_GetValue(&t, section, key, &buf[0], size);
        std::string v = buf.c_str();
        EXPECT_EQ(n, v.size()) << "the count is the length stored";
        return v;
    }
    // The section's strings joined with "|", or "-" for none.
    std::string Section(const char *section, uint32_t size = 1000, uint32_t *count = nullptr) const {
        std::string buf(size + 1, '#');
        uint32_t n = IT_GetSection(&t, section, &buf[0], size);
        if (count)
            *count = n;
        EXPECT_EQ(buf[n], '\0');
        if (n > 0) {
            EXPECT_EQ(buf[n - 1], '\0') << "the last string ends with its own zero";
        }
        std::string out;
        for (uint32_t i = 0; i < n; i += static_cast<uint32_t>(strlen(&buf[i])) + 1)
            out += (out.empty() ? "" : "|") + std::string(&buf[i]);
        return n ? out : "-";
    }
    int Put(const char *section, const char *key, const char *value) { return IT_PutValue(&t, section, key, value); }
    int PutSection(const char *section, const std::string &data) { return IT_PutSection(&t, section, data.c_str()); }
    std::string Str() const { return std::string(t.lpText ? t.lpText : "", t.dwLength); }
    INITEXT t;
};
} // namespace

TEST(IniLookup, NamesMatchWithoutRegardToCaseAndTheFirstKeyWins) {
    Text f("[Options]\r\nSafePath=C:\\one\r\nsafepath=C:\\two\r\n");
    EXPECT_EQ(f.Get("OPTIONS", "SAFEPATH"), "C:\\one");
    EXPECT_EQ(f.Get("options", "safePath"), "C:\\one");
    EXPECT_EQ(f.Get(" Options ", "\tSafePath "), "C:\\one") << "blanks around requested names do not count";
}

TEST(IniLookup, BlanksAroundNamesAndValuesDoNotCount) {
    Text f("  [  Options  ]  \r\n \t TimeOut \t = \t yes  no \t \r\nEmpty=\r\nBlank =   \r\nEq=a=b\r\n");
    EXPECT_EQ(f.Get("Options", "TimeOut"), "yes  no");
    EXPECT_EQ(f.Get("Options", "Empty"), "");
    EXPECT_EQ(f.Get("Options", "Blank"), "");
    EXPECT_EQ(f.Get("Options", "Eq"), "a=b") << "the first = separates";
    EXPECT_EQ(f.Get("Options", "Missing"), "");
}

TEST(IniLookup, OnlyTheFirstSectionOfANameCountsAndKeysBelongToTheirSection) {
    Text f("[A]\r\nx=1\r\n[B]\r\nx=2\r\ny=b\r\n[a]\r\nx=3\r\nz=3\r\n");
    EXPECT_EQ(f.Get("A", "x"), "1");
    EXPECT_EQ(f.Get("B", "x"), "2");
    EXPECT_EQ(f.Get("A", "y"), "") << "a key of another section is not found";
    EXPECT_EQ(f.Get("A", "z"), "") << "the second section of the same name is not read";
    EXPECT_EQ(f.Section("A"), "x=1");
}

TEST(IniLookup, QuotedValuesLoseTheirQuotes) {
    Text f("[Q]\r\nd=\"C:\\my safes\"\r\ns='x'\r\nmixed=\"x'\r\none=\"\r\nempty=\"\"\r\ninner=a\"b\"\r\n");
    EXPECT_EQ(f.Get("Q", "d"), "C:\\my safes");
    EXPECT_EQ(f.Get("Q", "s"), "x");
    EXPECT_EQ(f.Get("Q", "mixed"), "\"x'");
    EXPECT_EQ(f.Get("Q", "one"), "\"");
    EXPECT_EQ(f.Get("Q", "empty"), "");
    EXPECT_EQ(f.Get("Q", "inner"), "a\"b\"");
    EXPECT_EQ(f.Section("Q", 1000).substr(0, 18), "d=\"C:\\my safes\"|s=") << "a section is read as stored";
}

TEST(IniLookup, LineEndsByteOrderMarkAndOddLines) {
    EXPECT_EQ(Text("[A]\nx=lf\n").Get("A", "x"), "lf");
    EXPECT_EQ(Text("[A]\rx=cr\ry=2").Get("A", "x"), "cr");
    EXPECT_EQ(Text("[A]\rx=cr\ry=2").Get("A", "y"), "2") << "a last line without line end";
    EXPECT_EQ(Text("\xEF\xBB\xBF[A]\r\nx=bom\r\n").Get("A", "x"), "bom");
    Text odd("[A]\r\nno equals sign\r\nx\r\n[B\r\ny=in A\r\n[A]b]\r\nz=1\r\n; c=1\r\n");
    EXPECT_EQ(odd.Get("A", "x"), "") << "a line without = is no key";
    EXPECT_EQ(odd.Get("A", "y"), "in A") << "[B without ] opens no section";
    EXPECT_EQ(odd.Get("A]b", "z"), "1") << "the name ends at the last ]";
    EXPECT_EQ(odd.Get("A]b", "; c"), "1") << "a ; line is a key like any other";
    EXPECT_EQ(odd.Get("", "x"), "");
    EXPECT_EQ(odd.Get("A", ""), "");
    EXPECT_EQ(odd.Get(nullptr, "x"), "");
}

TEST(IniLookup, LongValuesAreCutToTheBufferAndZeroBytesEndThem) {
    std::string longValue(5000, 'v');
    Text f("[A]\r\n" + std::string(100000, 'k') + "=skip\r\nx=" + longValue + "\r\ny=after\r\nz=a" +
           std::string(1, '\0') + "b\r\n");
    EXPECT_EQ(f.Get("A", "x"), longValue.substr(0, 259));
    EXPECT_EQ(f.Get("A", "x", 1), "");
    EXPECT_EQ(f.Get("A", "y"), "after");
    EXPECT_EQ(f.Get("A", "z"), "a");
    char b = 'q';
    EXPECT_EQ(IT_GetValue(&f.t, "A", "y", &b, 0), 0u);
    EXPECT_EQ(b, 'q') << "a buffer of size 0 is left alone";
}

TEST(IniWrite, AValueIsReplacedInPlaceAndEveryOtherByteStays) {
    std::string head = "; my settings\r\n[Options]\r\n  SafePath  =  C:\\old  \r\nTimeOut=no\r\n\r\n";
    std::string tail = "[Settings]\r\nVersion=1.12\r\n";
    Text f(head + tail);
    ASSERT_EQ(f.Put("options", "SAFEPATH", "D:\\new safes"), 0);
    EXPECT_EQ(f.Str(), "; my settings\r\n[Options]\r\n  SafePath  =  D:\\new safes  \r\nTimeOut=no\r\n\r\n" + tail);
    ASSERT_EQ(f.Put("Options", "SafePath", ""), 0);
    EXPECT_EQ(f.Get("Options", "SafePath"), "");
    ASSERT_EQ(f.Put("Options", "SafePath", "x"), 0);
    EXPECT_EQ(f.Get("Options", "SafePath"), "x");
}

TEST(IniWrite, NewKeysFollowTheLastKeyOfTheirSectionAndNewSectionsTheEnd) {
    Text f("[A]\r\nx=1\r\n; about B\r\n\r\n[B]\r\ny=2");
    ASSERT_EQ(f.Put("A", "z", "3"), 0);
    EXPECT_EQ(f.Str(), "[A]\r\nx=1\r\nz=3\r\n; about B\r\n\r\n[B]\r\ny=2");
    ASSERT_EQ(f.Put("B", "w", "4"), 0);
    EXPECT_EQ(f.Str(), "[A]\r\nx=1\r\nz=3\r\n; about B\r\n\r\n[B]\r\ny=2\r\nw=4\r\n")
        << "a last line without line end gets one";
    ASSERT_EQ(f.Put("C", "v", "5"), 0);
    EXPECT_EQ(f.Str().substr(f.Str().size() - 12), "\r\n[C]\r\nv=5\r\n");

    Text empty;
    ASSERT_EQ(empty.Put("Settings", "Version", "1.13"), 0);
    EXPECT_EQ(empty.Str(), "[Settings]\r\nVersion=1.13\r\n");

    Text header("[A]");
    ASSERT_EQ(header.Put("a", "k", "v"), 0);
    EXPECT_EQ(header.Str(), "[A]\r\nk=v\r\n") << "the header's own spelling stays";
}

TEST(IniWrite, TheFilesOwnLineEndIsUsed) {
    Text lf("[A]\nx=1\n");
    lf.Put("A", "y", "2");
    lf.Put("B", "z", "3");
    EXPECT_EQ(lf.Str(), "[A]\nx=1\ny=2\n[B]\nz=3\n");
    Text cr("[A]\rx=1");
    cr.Put("A", "y", "2");
    EXPECT_EQ(cr.Str(), "[A]\rx=1\ry=2\r");
}

TEST(IniWrite, DuplicatesAreWrittenWhereTheyAreRead) {
    Text f("[A]\r\nx=1\r\nx=2\r\n[B]\r\n[a]\r\ny=3\r\n");
    f.Put("A", "x", "9");
    f.Put("A", "y", "8");
    EXPECT_EQ(f.Str(), "[A]\r\nx=9\r\nx=2\r\ny=8\r\n[B]\r\n[a]\r\ny=3\r\n");
    EXPECT_EQ(f.Get("A", "y"), "8");
}

TEST(IniWrite, LineBreaksCannotSmuggleInLinesAndBadNamesChangeNothing) {
    Text f("[A]\r\nx=1\r\n");
    ASSERT_EQ(f.Put("A", "x", "two\r\n[Options]\r\nOpenLastSafe=yes"), 0);
    EXPECT_EQ(f.Str(), "[A]\r\nx=two\r\n");
    std::string before = f.Str();
    EXPECT_EQ(f.Put("A", "k=v", "1"), -1);
    EXPECT_EQ(f.Put("A", "k\r\n", "1"), -1);
    EXPECT_EQ(f.Put("A", "a\nb", "1"), -1);
    EXPECT_EQ(f.Put("A", "[B]", "1"), -1);
    EXPECT_EQ(f.Put("A", "", "1"), -1);
    EXPECT_EQ(f.Put("  ", "k", "1"), -1);
    EXPECT_EQ(f.Put("A\nB", "k", "1"), -1);
    EXPECT_EQ(f.Put(nullptr, "k", "1"), -1);
    EXPECT_EQ(f.Str(), before);
}

TEST(IniWrite, NullValueRemovesAKeyAndNullKeyASection) {
    Text f("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    ASSERT_EQ(f.Put("A", "x", nullptr), 0);
    EXPECT_EQ(f.Str(), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n");
    ASSERT_EQ(f.Put("A", "missing", nullptr), 0);
    ASSERT_EQ(f.Put("A", nullptr, nullptr), 0);
    EXPECT_EQ(f.Str(), "[B]\r\nz=3\r\n");
    ASSERT_EQ(f.Put("Missing", nullptr, nullptr), 0);
    EXPECT_EQ(f.Str(), "[B]\r\nz=3\r\n");
}

TEST(IniSection, ReadsKeyValueStringsWithoutBlanksCommentsOrEmptyLines) {
    Text f("[T]\r\n  Feld1 = Name,0,24,0 \r\n; comment\r\n\r\nno equals\r\nFeld2=\r\nFeld1=dup\r\n[U]\r\nu=1\r\n");
    uint32_t n = 0;
    EXPECT_EQ(f.Section("t", 1000, &n), "Feld1=Name,0,24,0|no equals|Feld2=|Feld1=dup");
    EXPECT_EQ(n, 18u + 10u + 7u + 10u);
    EXPECT_EQ(f.Section("Missing"), "-");
    EXPECT_EQ(Text("[E]\r\n\r\n[F]").Section("E"), "-");
}

TEST(IniSection, OnlyWholeStringsAreStored) {
    Text f("[A]\r\nkey1=value1\r\nkey2=value2\r\n");
    uint32_t n = 0;
    EXPECT_EQ(f.Section("A", 25, &n), "key1=value1|key2=value2");
    EXPECT_EQ(n, 24u);
    EXPECT_EQ(f.Section("A", 24, &n), "key1=value1") << "no room for the closing zero";
    EXPECT_EQ(n, 12u);
    EXPECT_EQ(f.Section("A", 13), "key1=value1");
    EXPECT_EQ(f.Section("A", 12), "-");
    char two[2] = {'#', '#'};
    EXPECT_EQ(IT_GetSection(&f.t, "A", two, 2), 0u);
    EXPECT_EQ(two[0], '\0');
    EXPECT_EQ(two[1], '\0');
    char one = '#';
    EXPECT_EQ(IT_GetSection(&f.t, "A", &one, 1), 0u);
    EXPECT_EQ(one, '\0');
}

TEST(IniSection, ReplacingASectionKeepsTheRestOfTheFile) {
    Text f("[Templates]\r\nOrdner1=Bank,icon\r\n\r\n"
           "[Bank]\r\nFeld1=a,0,1,0\r\n; old\r\nFeld2=b,0,1,0\r\n\r\n[Z]\r\nz=1");
    ASSERT_EQ(f.PutSection("bank", std::string("Feld1=c,1,2,1\0 Feld2 = d\0noeq\0[X]=1\0", 36)), 0);
    EXPECT_EQ(f.Str(), "[Templates]\r\nOrdner1=Bank,icon\r\n\r\n[Bank]\r\nFeld1=c,1,2,1\r\n Feld2 = d\r\n\r\n"
                       "[Z]\r\nz=1");
    EXPECT_EQ(f.Section("Bank"), "Feld1=c,1,2,1|Feld2=d");

    ASSERT_EQ(f.PutSection("Bank", std::string("\0", 1)), 0);
    EXPECT_EQ(f.Str(), "[Templates]\r\nOrdner1=Bank,icon\r\n\r\n[Bank]\r\n\r\n[Z]\r\nz=1") << "empty data empties it";

    ASSERT_EQ(f.PutSection("Z", std::string("y=2\0", 4)), 0);
    EXPECT_EQ(f.Str(), "[Templates]\r\nOrdner1=Bank,icon\r\n\r\n[Bank]\r\n\r\n[Z]\r\ny=2\r\n");

    ASSERT_EQ(f.PutSection("New", std::string("\0", 1)), 0);
    EXPECT_EQ(f.Section("New"), "-");
    EXPECT_EQ(f.Str().find("[New]"), std::string::npos) << "no empty section is created";
    ASSERT_EQ(f.PutSection("New", std::string("n=1\0n=2\0", 8)), 0);
    EXPECT_EQ(f.Str().substr(f.Str().size() - 17), "[New]\r\nn=1\r\nn=2\r\n");

    ASSERT_EQ(IT_PutSection(&f.t, "Bank", nullptr), 0);
    EXPECT_EQ(f.Str(), "[Templates]\r\nOrdner1=Bank,icon\r\n\r\n[Z]\r\ny=2\r\n[New]\r\nn=1\r\nn=2\r\n");
    EXPECT_EQ(f.PutSection("", std::string("a=1\0", 4)), -1);
}

TEST(IniSection, DataLinesAreCutAtTheirFirstLineBreak) {
    Text f("[A]\r\n");
    ASSERT_EQ(f.PutSection("A", std::string("k=1\r\n[Options]\r\nx=2\0", 21)), 0);
    EXPECT_EQ(f.Str(), "[A]\r\nk=1\r\n");
}

// Whatever bytes the file holds, reading and writing stays within them and a
// value written reads back.
TEST(IniRobustness, ArbitraryBytesNeverBreakReadingOrWriting) {
    const char alphabet[] = "[]=;ab \t\r\n\"'\0\xEF\xBB\xBF";
    srand(4711);
    for (int round = 0; round < 400; ++round) {
        std::string s;
        int len = rand() % 200;
        for (int i = 0; i < len; ++i)
            s += (round % 4 == 0) ? static_cast<char>(rand() & 0xFF) : alphabet[rand() % (sizeof alphabet - 1)];
        Text f(s);
        f.Get("a", "b");
        f.Section("a", 1 + rand() % 50);
        ASSERT_EQ(f.Put("a", "b", "value one"), 0) << round;
        EXPECT_EQ(f.Get("A", "B"), "value one") << round;
        ASSERT_EQ(f.Put("zz", "k", "v"), 0) << round;
        EXPECT_EQ(f.Get("a", "b"), "value one") << round;
        EXPECT_EQ(f.Get("zz", "k"), "v") << round;
        ASSERT_EQ(f.PutSection("a", std::string("b=two\0", 6)), 0) << round;
        EXPECT_EQ(f.Get("a", "b"), "two") << round;
        EXPECT_EQ(f.Get("zz", "k"), "v") << round;
    }
}
