// Reading a safe file as opening a safe reads it, with the password "fuzz":
// the safe reader's target and the JSON import's seeds.
#pragma once

#include "model/list_release.h"
#include "model/records.h"
#include "platform/platform.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"

#include <string>

namespace fuzzseeds {

// Opens and reads the safe file at path, the password "fuzz" entered; 0 or -1.
// The record lists stay filled until ReleaseSafe.
inline int ReadSafeFile(const std::string &path) {
    SW_SetPassword(cTmpPasswort, "fuzz");
    if (SW_OpenSafe(path.c_str()) != 0)
        return -1;
    int rc = SW_ReadSafeHeader() == 0 ? SW_ReadSafeSections(path.c_str()) : -1;
    SW_SetWorkFile(nullptr);
    return rc;
}

inline void ReleaseSafe() { SW_ReleaseSafeLists(); }

} // namespace fuzzseeds
