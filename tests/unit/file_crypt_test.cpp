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
};
} // namespace

TEST_F(FileCrypt, EncryptThenDecryptGivesTheSameBytesUnderTheSameName) {
    for (int algo : {8, 9, 4, 10}) {
        Settings.CryptAlgo = algo;
        for (size_t size : {size_t(0), size_t(1), size_t(2047), size_t(2048), size_t(2049), size_t(100000)}) {
            std::string path = Path("f.bin");
            std::string data = PatternBytes(size, static_cast<unsigned>(size + algo));
            ASSERT_TRUE(WriteFile(path, data));
            ASSERT_EQ(docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), 0) << algo << " " << size;
            std::string enc = ReadFile(path);
            if (size == 0) {
                EXPECT_EQ(enc, "") << "an empty file stays empty";
            } else if (size >= 64) {
                EXPECT_EQ(enc.find(data.substr(0, 64)), std::string::npos);
            }
            EXPECT_FALSE(FileExists(path + ".cks"));
            ASSERT_EQ(doencryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), 0) << algo << " " << size;
            EXPECT_TRUE(ReadFile(path) == data) << algo << " " << size;
        }
    }
}

TEST_F(FileCrypt, FailuresLeaveTheFileAsItWas) {
    std::string path = Path("doc.txt");
    std::string data = PatternBytes(5000, 7);
    ASSERT_TRUE(WriteFile(path, data));
    EXPECT_EQ(doencryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1) << "never encrypted";
    EXPECT_TRUE(ReadFile(path) == data);
    EXPECT_NE(Log().find("*CY05* doencryptMyFile(filename=" + path + ") file ist possible not crypted, abort!"),
              std::string::npos);

    ASSERT_EQ(docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), 0);
    std::string enc = ReadFile(path);
    EXPECT_EQ(doencryptMyFile(path.c_str(), "other", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1);
    EXPECT_TRUE(ReadFile(path) == enc);
    EXPECT_NE(Log().find("*CY06* doencryptMyFile(filename=" + path + ") password not valid, abort!"), std::string::npos);
    EXPECT_TRUE(ui.shown.empty()) << "neither failure shows a message";

    // A damaged envelope: cut short at its end or in its middle. (Without an
    // integrity check a changed byte inside the content cannot be noticed.)
    for (std::string bad : {enc.substr(0, enc.size() - 20), enc.substr(0, enc.size() / 2)}) {
        ASSERT_TRUE(WriteFile(path, bad));
        EXPECT_EQ(doencryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1);
        EXPECT_TRUE(ReadFile(path) == bad);
        EXPECT_FALSE(FileExists(path + ".cks"));
        ASSERT_FALSE(ui.shown.empty());
        EXPECT_EQ(ui.shown.back().text, "cannot decrypt " + path + ", for details open logfile");
        EXPECT_EQ(ui.shown.back().style, UI_MB_OK);
    }
    EXPECT_NE(Log().find("*CY08* doencryptMyFile(filename=" + path + ") bad data format, abort!"), std::string::npos);

    EXPECT_EQ(docryptMyFile(Path("missing").c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1);
    EXPECT_EQ(ui.shown.back().text, "ERROR: cannot open file!");
    EXPECT_NE(Log().find("*CY00* docryptMyFile(LPSTR " + Path("missing") + ", PW, UINT 1) open error: "),
              std::string::npos);

    // A failed write or replace at any point: the source stays, no temporary is left.
    ASSERT_TRUE(WriteFile(path, data));
    for (PL_FAULT kind : {PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        PL_FailCall(kind, 1);
        EXPECT_EQ(docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), -1) << kind;
        PL_ResetFaults();
        EXPECT_TRUE(ReadFile(path) == data) << kind;
        EXPECT_FALSE(FileExists(path + ".cks")) << kind;
    }
}

// A file named as the temporary file would be (the user's own, or a leftover
// of an interrupted run, hidden) keeps its bytes: the work goes to the next free
// name, and nothing is left beside the file afterwards, whether the run succeeds or fails.
TEST_F(FileCrypt, FilesNamedLikeTheTemporaryFileAreNeverTouched) {
    const struct {
        std::vector<std::string> taken; // suffixes of files already there
        PL_FAULT fault;                 // PL_FAULT_KINDS: none
    } rows[] = {{{".cks"}, PL_FAULT_KINDS}, {{".cks", ".1.cks", ".2.cks"}, PL_FAULT_KINDS},
                {{".cks"}, PL_FAULT_WRITE}, {{".cks"}, PL_FAULT_MOVE}};
    const std::string path = Path("a.txt");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.taken.size() * 10 + row.fault);
        ASSERT_TRUE(WriteFile(path, "hello"));
        for (const auto &suffix : row.taken) {
            ASSERT_TRUE(WriteFile(path + suffix, "mine: " + suffix));
            PL_SetFileAttributes((path + suffix).c_str(), PL_ATTR_HIDDEN);
        }
        for (bool encrypt : {true, false}) {
            if (row.fault != PL_FAULT_KINDS)
                PL_FailCall(row.fault, 1);
            int rc = encrypt ? docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) : doencryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET);
            PL_ResetFaults();
            EXPECT_EQ(rc, row.fault == PL_FAULT_KINDS ? 0 : -1) << encrypt;
        }
        EXPECT_EQ(ReadFile(path), "hello");
        PL_FIND_DATA fd;
        PL_FIND f = PL_FindFirstFile(Path("a.txt*").c_str(), &fd);
        size_t names = 0;
        for (bool more = f != nullptr; more; more = PL_FindNextFile(f, &fd) == 0)
            ++names;
        PL_FindClose(f);
        EXPECT_EQ(names, row.taken.size() + 1) << "no temporary file is left";
        for (const auto &suffix : row.taken) {
            EXPECT_EQ(ReadFile(path + suffix), "mine: " + suffix);
            PL_SetFileAttributes((path + suffix).c_str(), PL_ATTR_NORMAL);
            PL_DeleteFile((path + suffix).c_str());
        }
    }
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
            int rc = encrypt ? docryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) : doencryptMyFile(path.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET);
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
        ASSERT_EQ(step ? doencryptMyFile(p.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) : docryptMyFile(p.c_str(), "pw", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET), 0);
        EXPECT_EQ(Mode(p), 0640u) << step;
    }
    ASSERT_EQ(PL_CopyFile(p.c_str(), Path("copy").c_str(), 0), 0);
    EXPECT_EQ(Mode(Path("copy")), 0640u);
    umask(oldMask);
}
#endif
