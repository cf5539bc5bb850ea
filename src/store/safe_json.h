// The whole open safe as a JSON document and back: header, folders, field
// descriptions, cards, contents, card field tables, notes, desktop profiles and
// icons, every field under its record name. Used by the terminal companion's
// export and import; the key set is listed in the README.
#pragma once

#include "store/safe_format.h"

#include <string>

// The record lists (and the header given) as a JSON document.
std::string SW_ExportJson(const SAFEHEADER &header, const SAFECONTROL &control);

// The largest document taken: far beyond the export of any safe.
#define SW_JSON_MAX_SIZE (32u << 20)

// Releases the record lists and fills them from a document made by
// SW_ExportJson; sets *hasPassword from the document's header and *reserved from
// its control block. false with a message when the document is not such an
// export, is larger than SW_JSON_MAX_SIZE, a value is out of range, or the
// lists do not hang together (SW_CheckSafeLists); the lists are then left empty.
bool SW_ImportJson(const std::string &doc, bool *hasPassword, uint16_t *reserved, std::string *error);
