// libFuzzer target for the category file reader: the input is "orvcategory.dat".
// Whatever the bytes, the table that comes out holds unique non-zero indexes,
// ascending after the sort, terminated names and no more than the cap of
// records; written out again in the file's layout it reads back the same.
#include "frame/logs.h"
#include "fuzz/scratch_dir.h"
#include "model/categories.h"
#include "model/category_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void Put32(std::string &s, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>(v >> (8 * i)));
}

// The table as the writer lays it out.
std::string Image() {
    std::string s;
    Put32(s, 1);
    Put32(s, 0);
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next) {
        Put32(s, c->index);
        std::string name(c->name, strnlen(c->name, CC_NAME_SIZE));
        name.resize(CC_NAME_SIZE, '\0');
        s += name;
        Put32(s, c->next ? 1 : 0);
    }
    return s;
}

std::string Describe() {
    std::string s;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next)
        s += std::to_string(c->index) + "=" + c->name + "\n";
    return s;
}

void Check() {
    uint32_t n = 0, previous = 0;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next, ++n) {
        if (c->index == 0 || c->index <= previous || memchr(c->name, 0, CC_NAME_SIZE) == nullptr)
            abort();
        previous = c->index;
        if (!c->next && c != lpCATEGORYTABact)
            abort();
    }
    if (n > CC_MAX_CATEGORIES || n != CategoryState.nCategoryCount || CC_FilterEntryCount() != n + 1)
        abort();
    uint32_t fresh = CC_GetNewCategoryIndex();
    if (fresh == 0 || CC_FindCategory(fresh))
        abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // Log lines about damaged files go to a folder of our own, not to the root.
    fuzzseeds::ScratchProgramDir("category_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > CC_HEADER_SIZE + CC_RECORD_SIZE * (CC_MAX_CATEGORIES + 2))
        return 0;
    CC_LoadCategoryImage(data, static_cast<uint32_t>(size));
    CC_SortCategory();
    Check();
    std::string before = Describe();
    std::string image = Image();
    CC_LoadCategoryImage(reinterpret_cast<const unsigned char *>(image.data()), static_cast<uint32_t>(image.size()));
    Check();
    if (Describe() != before)
        abort();
    for (uint32_t k = 0; k < 4; ++k)
        CC_IsShownUnder(k, k ^ 1);
    CC_ReleaseCategoryTable();
    return 0;
}
