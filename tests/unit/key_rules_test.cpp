#include "model/key_rules.h"

#include <gtest/gtest.h>

// Keys at each place, with and without a card selected; -1 for both.
TEST(KeyRules, EachPlaceAnswersItsKeys) {
    const struct { KR_KEY key; KR_PLACE place; int card; KR_ACTION want; } rows[] = {
        {KR_KEY_F6, KR_IN_TREE, -1, KR_FOCUS_PANE},      {KR_KEY_TAB, KR_IN_TREE, -1, KR_FOCUS_PANE},
        {KR_KEY_MENU, KR_IN_TREE, -1, KR_CONTEXT_MENU},  {KR_KEY_ENTER, KR_IN_TREE, 1, KR_SHOW_CARD},
        {KR_KEY_ENTER, KR_IN_TREE, 0, KR_PASS},          {KR_KEY_F2, KR_IN_TREE, 1, KR_CHANGE_FIRST},
        {KR_KEY_ESCAPE, KR_IN_TREE, -1, KR_PASS},        {KR_KEY_ENTER, KR_IN_VIEW, 1, KR_CHANGE_FIRST},
        {KR_KEY_TAB, KR_IN_VIEW, -1, KR_FOCUS_TREE},     {KR_KEY_MENU, KR_IN_VIEW, -1, KR_PASS},
        {KR_KEY_ENTER, KR_IN_LIST, 1, KR_EDIT_ROW},      {KR_KEY_ESCAPE, KR_IN_LIST, 1, KR_SHOW_CARD},
        {KR_KEY_F6, KR_IN_LIST, -1, KR_FOCUS_TREE},      {KR_KEY_ENTER, KR_IN_LIST, 0, KR_PASS},
        {KR_KEY_TAB, KR_IN_EDITOR, -1, KR_STORE_NEXT},   {KR_KEY_ESCAPE, KR_IN_EDITOR, -1, KR_LEAVE_EDIT},
        {KR_KEY_F6, KR_IN_EDITOR, -1, KR_FOCUS_TREE},    {KR_KEY_F2, KR_IN_EDITOR, -1, KR_PASS},
    };
    for (const auto &r : rows)
        for (int card : {0, 1})
            EXPECT_TRUE(r.card >= 0 && r.card != card ? true : KR_KeyAction(r.key, r.place, card) == r.want)
                << r.key << " at " << r.place << " card " << card;
}
