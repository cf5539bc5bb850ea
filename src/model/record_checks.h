// Whether the record lists of a safe hang together: folder and card ids
// positive and unique, every field description, card and content belonging to
// something that exists, no field, content or desktop profile twice, field
// types and lengths in range, a field in every folder that holds cards (the
// file's chained layout has no field section without one, and the cards would
// be read as field descriptions), and icon positions only beside a profile.
// Lists that pass are written and read back as they are.
#pragma once

#include <string>

// 0, or -1 with the first fault found in *why.
int SW_CheckSafeLists(std::string *why);
