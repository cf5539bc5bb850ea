// The droplist recovery file "orvrecover.txt" in the program directory: full
// paths of encrypted files and folders, one a line (CR LF), made by the user or
// another tool. When a safe without a drop file is opened, the program offers to
// rebuild the droplist from it; it reads the file once and deletes it.
#pragma once

#define REC_FILE_NAME "orvrecover.txt"
// Lines read from the file at most: the list is of what the user dropped, not
// of every file in a folder.
#define REC_MAX_LINES 10000

// Set when the user agreed to use the file; stays set until the program ends.
int REC_RecoverRequested();
void REC_ResetRecoverRequest();

// 1 when the file exists and the user agreed, else 0.
int REC_CheckRecoverFile();
// Reads the file, deletes it and enters every valid path (an existing file or
// folder that is not read-only, system, temporary or offline, and not in the
// droplist yet) in the droplist, without saved attributes; lines beyond
// REC_MAX_LINES are left out. The drop file is written at the next change.
void REC_AddDropList();
// After a safe was opened: without a drop file the user is offered the recovery
// file; once agreed to, its paths join the droplist of every safe whose drop
// file was read.
void REC_OfferAfterOpen();
