// Releasing the five record lists of a safe: when the next safe is read, when a
// safe is created and at program end. Each frees every record of its list (a
// content's text is wiped first) and sets the list's start and tail to null.
// The counters are left alone.
#pragma once

void SW_FreeOrdnertabelle();
void SW_FreeFeldTabelle();
void SW_ReleaseFieldTable(); // the card field tables
void SW_FreeKartenTabelle();
void SW_FreeFeldInhaltTabelle();

// Every list a safe brings along: the five record lists, the notes (their
// windows go with them), the desktop profiles and the droplist with its
// counters; the record counts go to 0.
void SW_ReleaseSafeLists();
