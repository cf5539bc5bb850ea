// Writes the seeds of the templates target into a folder: the templates the
// program ships, and a hand-edited file with a gap in the numbers, a line
// without "=", a field without a name and lengths and types out of range.
#include "fuzz/seed_files.h"
#include "model/default_templates.h"

#include <string>

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "templates_seeds");
    if (folder.empty())
        return 2;
    const std::string edited = "[Templates]\nOrdner1=Home, house.ico\nOrdner3=Work,\nnotes\n\n"
                               "[Home]\nFeld1=Door code,1,999,1\nFeld2=,0,10,0\nFeld3=Alarm,5\nFeld4=Odd,77,-3,2\n"
                               "[Work]\nFeld1=Badge\n";
    return fuzzseeds::Write(folder, "shipped", TW_DefaultTemplates) && fuzzseeds::Write(folder, "edited", edited) ? 0
                                                                                                                  : 1;
}
