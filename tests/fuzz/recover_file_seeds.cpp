// Writes the seeds of the recovery-file target into a folder: lists of the
// target's files and folders, with paths that do not exist, a refused file,
// a line too long for a path and a last line without its CR LF.
#include "fuzz/recover_tree.h"
#include "fuzz/seed_files.h"

#include <string>

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "recover_file_seeds");
    if (folder.empty())
        return 2;
    std::string all, mixed;
    for (const fuzzseeds::RecoverEntry &e : fuzzseeds::kRecoverEntries)
        all += std::string(fuzzseeds::kRecoverTree) + "/" + e.name + "\r\n";
    mixed = std::string(fuzzseeds::kRecoverTree) + "\\file.txt\r\n" + fuzzseeds::kRecoverTree +
            "/missing\r\n\r\n" + std::string(300, 'x') + "\r\n" + fuzzseeds::kRecoverTree + "/folder";
    return fuzzseeds::Write(folder, "all", all) && fuzzseeds::Write(folder, "mixed", mixed) ? 0 : 1;
}
