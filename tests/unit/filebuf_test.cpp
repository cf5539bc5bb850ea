#include "frame/filebuf.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testsupport;

namespace {
class FileBuf : public TempDirTest {
  protected:
    PL_HANDLE Open(const std::string &name, uint32_t disposition) {
        return PL_CreateFile(Path(name).c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, 0, disposition, 0);
    }
};

std::string Pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 7 + i / 251);
    return s;
}

const uint32_t B = T_FILEBUF_BLOCK;
} // namespace

// Reads of every size, steps back over a block's start, and the file left
// where the reading stopped.
TEST_F(FileBuf, ReadsGiveTheFileAsItIsWhereverTheBlocksEnd) {
    const std::string data = Pattern(2 * B + 1000);
    ASSERT_TRUE(WriteFile(Path("r.bin"), data));
    struct Step {
        uint32_t read, back;
    };
    // Up to a block's end, across it, stepping back across it, a read larger
    // than a block, and past the end of the file.
    const Step steps[] = {{B - 4, 0}, {8, 8}, {B + 10, 20}, {8, 3}, {30, 0}, {2000, 0}};
    PL_HANDLE h = Open("r.bin", PL_OPEN_EXISTING);
    ASSERT_NE(h, nullptr);
    T_FILEREADER r;
    T_ReaderBegin(&r, h, "TB_M_00");
    uint64_t pos = 0;
    for (const Step &s : steps) {
        std::string got(s.read, '\0');
        uint32_t n = T_ReaderUpTo(&r, &got[0], s.read);
        uint32_t expect = static_cast<uint32_t>(std::min<uint64_t>(s.read, data.size() - pos));
        ASSERT_EQ(n, expect) << s.read;
        EXPECT_TRUE(got.substr(0, n) == data.substr(pos, n)) << s.read;
        T_ReaderSeekBack(&r, s.back);
        pos += n - s.back;
        EXPECT_EQ(T_ReaderPosition(&r), pos) << s.read;
    }
    char c;
    EXPECT_EQ(T_ReaderAll(&r, "TB01", &c, 1), -1) << "nothing left";
    T_ReaderSeekBack(&r, 100);
    T_ReaderEnd(&r, "TB_F_00", true);
    uint64_t filePos = 0;
    PL_SetFilePointer(h, 0, PL_FILE_CURRENT, &filePos);
    EXPECT_EQ(filePos, data.size() - 100);
    PL_CloseHandle(h);
    EXPECT_NE(
        Log().find("*TO03* error read file in T_ReadFile (PGM-Source=TB01, dwReadLenght=1)"),
        std::string::npos);
}

// Small writes across a block's end and one larger than a block reach the file
// in order; a block that cannot be written fails that write and every later
// one, logged under the code of the last write in the block.
TEST_F(FileBuf, WritesReachTheFileInOrderAndAFailedBlockSticks) {
    const std::string data = Pattern(3 * B);
    const uint32_t pieces[] = {100, B - 150, 100, B + 7, 13};
    for (int failAt : {0, 1, 2}) {
        PL_HANDLE h = Open("w.bin", PL_CREATE_ALWAYS);
        ASSERT_NE(h, nullptr);
        T_FILEWRITER w;
        T_WriterBegin(&w, h, "TB_M_01");
        PL_ResetFaults();
        if (failAt)
            PL_FailCall(PL_FAULT_WRITE, failAt);
        uint32_t at = 0;
        int failed = 0;
        for (uint32_t n : pieces) {
            failed += T_WriterPut(&w, n == 13 ? "TB13" : "TB02", data.data() + at, n) != 0;
            at += n;
        }
        failed += T_WriterFlush(&w) != 0;
        PL_ResetFaults();
        T_WriterEnd(&w, "TB_F_01");
        PL_CloseHandle(h);
        if (failAt == 0) {
            EXPECT_EQ(failed, 0);
            EXPECT_TRUE(ReadFile(Path("w.bin")) == data.substr(0, at));
        } else {
            // The first block fails at the third put; the large piece at the fourth.
            EXPECT_EQ(failed, failAt == 1 ? 4 : 3) << failAt;
        }
    }
    EXPECT_NE(Log().find("(PGM-Source=TB02, dwWriteLenght=" + std::to_string(B - 50) + ")"),
              std::string::npos);
}
