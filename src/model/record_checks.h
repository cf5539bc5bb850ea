// Whether the record lists of a safe hang together: folder and card ids
// positive and unique, every field description, card, content and icon
// position belonging to something that exists, no field or content twice,
// field types and lengths in range, and every folder with a field (the file's
// chained layout has no field section without one, and its cards would be read
// as field descriptions). Lists that pass are written and read back as they are.
#pragma once

#include <string>

// 0, or -1 with the first fault found in *why.
int SW_CheckSafeLists(std::string *why);
