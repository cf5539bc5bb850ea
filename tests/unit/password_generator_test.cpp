#include "crypto/cryptlib.h"
#include "model/password_generator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

TEST(PasswordGenerator, LengthsAndAlphabet) {
    cryptInit(); // the random source comes with the encryption library
    char buf[PWGEN_MAX + 2];
    memset(buf, 'x', sizeof buf);
    SW_GeneratePassword(buf, 0);
    EXPECT_STREQ(buf, "");
    SW_GeneratePassword(buf, 10);
    EXPECT_EQ(strlen(buf), 10u);
    SW_GeneratePassword(buf, 99);
    EXPECT_EQ(strlen(buf), 99u);
    std::map<char, int> seen;
    for (int i = 0; i < 400; ++i) {
        SW_GeneratePassword(buf, 99);
        for (const char *p = buf; *p; ++p) {
            EXPECT_NE(strchr(PWGEN_ALPHABET, *p), nullptr) << *p;
            ++seen[*p];
        }
    }
    EXPECT_EQ(seen.count('l') + seen.count('I') + seen.count('O'), 0u);
    EXPECT_EQ(seen.count('9'), 0u) << "a number modulo 58 never reaches the 59th character";
    EXPECT_EQ(seen.size(), 58u) << "every other character of the alphabet turns up";
    // 39,600 draws: about 683 of each; a fair source stays well inside these bounds.
    for (const auto &s : seen) {
        EXPECT_GT(s.second, 500) << s.first;
        EXPECT_LT(s.second, 880) << s.first;
    }
}

TEST(PasswordGenerator, TwoCallsInTheSameSecondDiffer) {
    cryptInit();
    std::set<std::string> made;
    char buf[11];
    for (int i = 0; i < 50; ++i) {
        SW_GeneratePassword(buf, 10);
        made.insert(buf);
    }
    EXPECT_EQ(made.size(), 50u);
}
