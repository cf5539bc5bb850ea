// Dumps of the record lists into the trace log, one line per record, under the
// caller's tag ("DMP GET", "DMP PUT", "DMP B S", ...). Callers test the mask.
#pragma once

void ML_DumpTables(const char *tag);
void ML_DumpFolders(const char *tag);
void ML_DumpCards(const char *tag);
void ML_DumpFieldTable(const char *tag);
void ML_DumpCardFieldTable(const char *tag);
void ML_DumpDesktop(const char *tag);
