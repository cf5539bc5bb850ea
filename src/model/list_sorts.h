// The order of the folder and card lists, established after a safe is read and
// after folders or cards are created, moved or deleted.
//
// Both sort by exchanging record contents in place (all fields but next, so the
// links stay as they are): folders ascending by nOrdnerOrder, then renumbered
// 1..n; within each folder, in folder list order, that folder's cards ascending
// by nKartenOrder, then renumbered 1..n per folder (the cards of an id that several
// folders of a damaged safe share are sorted once). Records with equal orders end
// as the exchange sort leaves them (folders with orders 2, 2, 1 end as the third,
// the second, the first). A new record gets order 9999 and so goes last.
#pragma once

void SW_SortOrdner();
void SW_SortKarten();
