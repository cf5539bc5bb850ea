#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/file_crypt.h"
#include "support/cms_builder.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace testsupport;

namespace {
class FileCrypt : public SafeTest {
  protected:
    std::string Log() { return ReadFile(Path("orvsafe.log")); }
};
} // namespace

TEST_F(FileCrypt, EncryptThenDecryptGivesTheSameBytesUnderTheSameName) {
    for (int algo : {8, 9, 4, 10}) {
        Settings.CryptAlgo = algo;
        for (size_t size : {size_t(0), size_t(1), size_t(2047), size_t(2048), size_t(2049), size_t(100000)}) {
            std::string path = Path("f.bin");
            std::string data = PatternBytes(size, static_cast<unsigned>(size + algo));
            ASSERT_TRUE(WriteFile(path, data));
            ASSERT_EQ(docryptMyFile(path.c_str(), "pw", 1, 0, 1), 0) << algo << " " << size;
            std::string enc = ReadFile(path);
            if (size == 0) {
                EXPECT_EQ(enc, "") << "an empty file stays empty";
            } else if (size >= 64) {
                EXPECT_EQ(enc.find(data.substr(0, 64)), std::string::npos);
            }
            EXPECT_FALSE(FileExists(path + ".cks"));
            ASSERT_EQ(doencryptMyFile(path.c_str(), "pw", 1, 0, 1), 0) << algo << " " << size;
            EXPECT_TRUE(ReadFile(path) == data) << algo << " " << size;
        }
    }
}

TEST_F(FileCrypt, FailuresLeaveTheFileAsItWas) {
    std::string path = Path("doc.txt");
    std::string data = PatternBytes(5000, 7);
    ASSERT_TRUE(WriteFile(path, data));
    EXPECT_EQ(doencryptMyFile(path.c_str(), "pw", 1, 0, 1), -1) << "never encrypted";
    EXPECT_TRUE(ReadFile(path) == data);
    EXPECT_NE(Log().find("*CY05* doencryptMyFile(filename=" + path + ") file ist possible not crypted, abort!"),
              std::string::npos);

    ASSERT_EQ(docryptMyFile(path.c_str(), "pw", 1, 0, 1), 0);
    std::string enc = ReadFile(path);
    EXPECT_EQ(doencryptMyFile(path.c_str(), "other", 1, 0, 1), -1);
    EXPECT_TRUE(ReadFile(path) == enc);
    EXPECT_NE(Log().find("*CY06* doencryptMyFile(filename=" + path + ") password not valid, abort!"), std::string::npos);
    EXPECT_TRUE(ui.shown.empty()) << "neither failure shows a message";

    // A damaged envelope: cut short at its end or in its middle. (Without an
    // integrity check a changed byte inside the content cannot be noticed.)
    for (std::string bad : {enc.substr(0, enc.size() - 20), enc.substr(0, enc.size() / 2)}) {
        ASSERT_TRUE(WriteFile(path, bad));
        EXPECT_EQ(doencryptMyFile(path.c_str(), "pw", 1, 0, 1), -1);
        EXPECT_TRUE(ReadFile(path) == bad);
        EXPECT_FALSE(FileExists(path + ".cks"));
        ASSERT_FALSE(ui.shown.empty());
        EXPECT_EQ(ui.shown.back().text, "cannot decrypt " + path + ", for details open logfile");
        EXPECT_EQ(ui.shown.back().style, UI_MB_OK);
    }
    EXPECT_NE(Log().find("*CY08* doencryptMyFile(filename=" + path + ") bad data format, abort!"), std::string::npos);

    EXPECT_EQ(docryptMyFile(Path("missing").c_str(), "pw", 1, 0, 1), -1);
    EXPECT_EQ(ui.shown.back().text, "ERROR: cannot open file!");
    EXPECT_NE(Log().find("*CY00* docryptMyFile(LPSTR " + Path("missing") + ", PW, UINT 1) open error: "),
              std::string::npos);

    // A failed write or replace at any point: the source stays, no temporary is left.
    ASSERT_TRUE(WriteFile(path, data));
    for (PL_FAULT kind : {PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        PL_FailCall(kind, 1);
        EXPECT_EQ(docryptMyFile(path.c_str(), "pw", 1, 0, 1), -1) << kind;
        PL_ResetFaults();
        EXPECT_TRUE(ReadFile(path) == data) << kind;
        EXPECT_FALSE(FileExists(path + ".cks")) << kind;
    }
}

TEST_F(FileCrypt, ALeftoverTemporaryFileIsReplaced) {
    std::string path = Path("a.txt");
    ASSERT_TRUE(WriteFile(path, "hello"));
    ASSERT_TRUE(WriteFile(path + ".cks", "leftover of an interrupted run"));
    PL_SetFileAttributes((path + ".cks").c_str(), PL_ATTR_HIDDEN);
    ASSERT_EQ(docryptMyFile(path.c_str(), "pw", 1, 0, 1), 0);
    EXPECT_FALSE(FileExists(path + ".cks"));
    ASSERT_EQ(doencryptMyFile(path.c_str(), "pw", 1, 0, 1), 0);
    EXPECT_EQ(ReadFile(path), "hello");
}

TEST_F(FileCrypt, WithoutAPasswordTheEnvelopeOnlyWraps) {
    std::string path = Path("open.txt");
    ASSERT_TRUE(WriteFile(path, "readable text"));
    ASSERT_EQ(docryptMyFile(path.c_str(), "", 0, 0, 1), 0);
    EXPECT_NE(ReadFile(path), "readable text");
    ASSERT_EQ(doencryptMyFile(path.c_str(), "any", 0, 0, 1), 0);
    EXPECT_EQ(ReadFile(path), "readable text");
}

// Without a password the envelope is the same bytes every time, so it shows
// its layout: the file goes in as pushes of 2,048 bytes, however it is read.
TEST_F(FileCrypt, AFileIsEnvelopedAsPushesOf2048Bytes) {
    for (size_t size : {size_t(5000), size_t(2048 * 128), size_t(300001)}) {
        std::string data = PatternBytes(size, 11);
        CRYPT_ENVELOPE env;
        ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
        std::string expected;
        char out[8192];
        int n = 0;
        for (size_t at = 0; at < size; at += 2048) {
            ASSERT_EQ(cryptPushData(env, data.data() + at, static_cast<int>(std::min<size_t>(2048, size - at)), &n),
                      CRYPT_OK);
            ASSERT_EQ(cryptPopData(env, out, sizeof out, &n), CRYPT_OK);
            expected.append(out, static_cast<size_t>(n));
        }
        ASSERT_EQ(cryptFlushData(env), CRYPT_OK);
        do {
            ASSERT_EQ(cryptPopData(env, out, sizeof out, &n), CRYPT_OK);
            expected.append(out, static_cast<size_t>(n));
        } while (n > 0);
        cryptDestroyEnvelope(env);

        std::string path = Path("layout.bin");
        ASSERT_TRUE(WriteFile(path, data));
        ASSERT_EQ(docryptMyFile(path.c_str(), "", 0, 0, 1), 0);
        EXPECT_TRUE(ReadFile(path) == expected) << size;
    }
}

TEST_F(FileCrypt, ProgressAndTheCryptLog) {
    Settings.LogCryptedFiles = true;
    std::string path = Path("big.bin");
    ASSERT_TRUE(WriteFile(path, PatternBytes(100000, 3)));
    ui.progressShown = true;
    ASSERT_EQ(docryptMyFile(path.c_str(), "pw", 1, 1, 0), 0);
    EXPECT_EQ(ui.progressMax, 50);
    EXPECT_GE(ui.progressSteps, 45);
    EXPECT_LE(ui.progressSteps, 50);
    EXPECT_EQ(ui.progressCloses, 1);
    EXPECT_NE(ReadFile(Path("orvcrypt.log")).find("crypted: => " + path + "\r\n"), std::string::npos);

    ui.progressShown = true;
    ASSERT_EQ(doencryptMyFile(path.c_str(), "pw", 1, 0, 0), 0);
    EXPECT_EQ(ui.progressTexts, std::vector<std::string>{path}) << "without the bar the window names the file";
    PL_DeleteFile(Path("orvcrypt.log").c_str());
    ASSERT_EQ(docryptMyFile(path.c_str(), "pw", 1, 0, 1), 0);
    EXPECT_FALSE(FileExists(Path("orvcrypt.log"))) << "quiet runs are not logged";
}

// The temporary name "<path>.cks" must fit its buffer: a path too long for it is
// refused before any file is opened, and a file named like the cut name (the
// source itself at 299 characters) is never touched.
TEST_F(FileCrypt, APathTooLongForItsTemporaryNameIsRefused) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens no path this long";
#else
    std::string folder = Path(std::string(150, 'd'));
    ASSERT_EQ(PL_CreateDirectory(folder.c_str()), 0);
    for (size_t length = 295; length <= 300; ++length) {
        SCOPED_TRACE(length);
        std::string path = folder + "\\" + std::string(length - folder.size() - 1, 'f');
        std::string cut = (path + ".cks").substr(0, 299);
        const bool sibling = length > 295 && cut != path;
        ASSERT_TRUE(WriteFile(path, "source"));
        if (sibling) {
            ASSERT_TRUE(WriteFile(cut, "sibling"));
        }
        ui.shown.clear();
        for (bool encrypt : {true, false}) {
            int rc = encrypt ? docryptMyFile(path.c_str(), "pw", 1, 0, 1) : doencryptMyFile(path.c_str(), "pw", 1, 0, 1);
            EXPECT_EQ(rc, length <= 295 ? 0 : -1);
        }
        EXPECT_EQ(ReadFile(path), "source");
        if (sibling) {
            EXPECT_EQ(ReadFile(cut), "sibling");
        }
        if (length > 295) {
            ASSERT_EQ(ui.shown.size(), 2u);
            EXPECT_EQ(ui.shown[0].text, "ERROR: file path too long!");
            EXPECT_EQ(ui.shown[0].caption, "Error");
        }
        PL_DeleteFile(path.c_str());
        if (sibling)
            PL_DeleteFile(cut.c_str());
    }
#endif
}

#ifndef _WIN32
// A new file is the owner's alone; a file keeps its mode through encryption and
// decryption, and a copy has its source's.
TEST_F(FileCrypt, ANewFileIsTheOwnersAloneAndAFileKeepsItsMode) {
    mode_t oldMask = umask(022);
    auto Native = [](std::string p) {
        std::replace(p.begin(), p.end(), '\\', '/');
        return p;
    };
    auto Mode = [&](const std::string &p) {
        struct stat st {};
        return stat(Native(p).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    };
    const std::string p = Path("f.txt");
    ASSERT_TRUE(WriteFile(p, "secret"));
    EXPECT_EQ(Mode(p), 0600u);
    ASSERT_EQ(chmod(Native(p).c_str(), 0640), 0);
    for (int step = 0; step < 2; ++step) {
        ASSERT_EQ(step ? doencryptMyFile(p.c_str(), "pw", 1, 0, 1) : docryptMyFile(p.c_str(), "pw", 1, 0, 1), 0);
        EXPECT_EQ(Mode(p), 0640u) << step;
    }
    ASSERT_EQ(PL_CopyFile(p.c_str(), Path("copy").c_str(), 0), 0);
    EXPECT_EQ(Mode(Path("copy")), 0640u);
    umask(oldMask);
}
#endif
