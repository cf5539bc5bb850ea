// A fixture for the category table: the record-table fixture plus an empty
// category table and the filter on "all" before and after each test.
#pragma once

#include "model/categories.h"
#include "model/category_file.h"
#include "support/model_fixture.h"

#include <cstring>
#include <string>

namespace testsupport {

class CategoryTest : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        EXPECT_EQ(CC_ReadCategory(), 0); // no file yet: an empty table, and the file may be written
        CategoryState.nCategoryFilter = 0;
    }
    void TearDown() override {
        CC_ReleaseCategoryTable();
        CategoryState.nCategoryFilter = 0;
        ModelTest::TearDown();
    }

    static CATEGORYTAB *AddCategory(uint32_t index, const char *name) {
        CATEGORYTAB *c = CC_AppendCategory("TT_M_10");
        c->index = index;
        strncpy(c->name, name, CC_NAME_SIZE - 1);
        return c;
    }
    // The table in list order: "1 Bank|2 Work".
    static std::string Table() {
        std::string s;
        for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next) {
            if (!s.empty())
                s += "|";
            s += std::to_string(c->index) + " " + c->name;
        }
        return s;
    }
};

} // namespace testsupport
