#include "model/key_rules.h"

namespace {
// A row matches any card state when card is -1.
struct KR_RULE {
    KR_PLACE place;
    KR_KEY key;
    int card;
    KR_ACTION action;
};

const KR_RULE kRules[] = {
    {KR_IN_TREE, KR_KEY_F6, -1, KR_FOCUS_PANE},
    {KR_IN_TREE, KR_KEY_TAB, -1, KR_FOCUS_PANE},
    {KR_IN_TREE, KR_KEY_MENU, -1, KR_CONTEXT_MENU},
    {KR_IN_TREE, KR_KEY_ENTER, 1, KR_SHOW_CARD},
    {KR_IN_TREE, KR_KEY_F2, 1, KR_CHANGE_FIRST},
    {KR_IN_VIEW, KR_KEY_F6, -1, KR_FOCUS_TREE},
    {KR_IN_VIEW, KR_KEY_TAB, -1, KR_FOCUS_TREE},
    {KR_IN_VIEW, KR_KEY_ENTER, 1, KR_CHANGE_FIRST},
    {KR_IN_VIEW, KR_KEY_F2, 1, KR_CHANGE_FIRST},
    {KR_IN_LIST, KR_KEY_F6, -1, KR_FOCUS_TREE},
    {KR_IN_LIST, KR_KEY_TAB, -1, KR_FOCUS_TREE},
    {KR_IN_LIST, KR_KEY_ENTER, 1, KR_EDIT_ROW},
    {KR_IN_LIST, KR_KEY_F2, 1, KR_EDIT_ROW},
    {KR_IN_LIST, KR_KEY_ESCAPE, 1, KR_SHOW_CARD},
    {KR_IN_EDITOR, KR_KEY_F6, -1, KR_FOCUS_TREE},
    {KR_IN_EDITOR, KR_KEY_TAB, -1, KR_STORE_NEXT},
    {KR_IN_EDITOR, KR_KEY_ENTER, -1, KR_STORE_NEXT},
    {KR_IN_EDITOR, KR_KEY_ESCAPE, -1, KR_LEAVE_EDIT},
};
} // namespace

KR_ACTION KR_KeyAction(KR_KEY key, KR_PLACE place, int card) {
    for (const KR_RULE &r : kRules)
        if (r.place == place && r.key == key && (r.card < 0 || r.card == (card ? 1 : 0)))
            return r.action;
    return KR_PASS;
}
