// The category file "orvcategory.dat" in the program directory: read at start,
// written at program end. Little-endian layout:
//   0  4   1
//   4  4   0
//   8  40  per category in list order: index (4), name (32, zero-padded), link (4)
// The link is 0 in the last record and 1 in every other; a reader takes any
// non-zero link to mean that another record follows, and skips the two header
// words without looking at them.
#pragma once

#include <cstdint>

#define CC_FILE_NAME "orvcategory.dat"
#define CC_HEADER_SIZE 8
#define CC_RECORD_SIZE 40
// More categories than anyone keeps: a damaged file cannot make us read without end.
#define CC_MAX_CATEGORIES 4096

// "<program directory>\orvcategory.dat"; 0, or -1 when it does not fit.
[[nodiscard]] int CC_GetCategoryPath(char *path, uint32_t size);

// Loads the table from the file, replacing it. A missing file gives an empty
// table (0). A file that is there but cannot be opened or read leaves the table
// as it was (-1), and the file is then not written at program end, so a passing
// lock cannot cost the user the categories. A file that ends early, even inside
// a record, keeps the whole records read so far. The table is sorted afterwards.
[[nodiscard]] int CC_ReadCategory();

// Parses a file image into the table, replacing it, as CC_ReadCategory does with
// the file's bytes: records with index 0 or an index already taken are dropped,
// as are a cut record and anything past CC_MAX_CATEGORIES. Answers the number of
// records taken; the table is not sorted here.
uint32_t CC_LoadCategoryImage(const unsigned char *data, uint32_t size);

// Stores the table: with no category the file is deleted; otherwise the file is
// written beside the old one (hidden, three attempts 100 ms apart), flushed and
// moved over it. Failures are logged and shown ("error: cannot create
// category-file", "error: cannot write category-file"); the table stays. 0 or -1.
[[nodiscard]] int CC_WriteCategory();
