// The display order of field descriptions: FW_SortFieldTable on the folders'
// field descriptions, FW_SortCardFieldTab on the cards' own.
//
// The records of one folder (or card) are exchange-sorted ascending by their
// order, exchanging contents (all fields but next) so the list links stay where
// they are, and then renumbered 1..n in list order. A pointer to a field
// description taken before a sort may point at another field afterwards.
#pragma once

void FW_SortFieldTable();
void FW_SortCardFieldTab();
