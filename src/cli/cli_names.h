// Folders and cards named on the command line: an exact name first, else the
// one name that matches without regard to case. A name that matches nothing or
// more than one is an error the user can mend (exit code 2).
#pragma once

#include "model/records.h"

#include <string>

// 0 with *found set; 2 after saying what was wrong.
int CLI_FindFolder(const std::string &name, ORDNER **found);
int CLI_FindCard(const ORDNER *folder, const std::string &name, KARTE **found);
// A folder template of the template file, by the same rule; *found gets its name as written there.
int CLI_FindTemplate(const std::string &name, std::string *found);
// "FOLDER/CARD": the folder is the longest part before a "/" that names one
// (folder names may hold "/" themselves), the card the rest.
int CLI_FindCardPath(const std::string &path, ORDNER **folder, KARTE **card);
