// Reading a safe file into the working copy and the record lists: the header
// and its version, the control block (the password check), then every section,
// converting the records of older format versions as they are read.
#pragma once

int SW_OpenSafe(const char *path);
int SW_ReadSafeHeader();
int SW_ReadSafeOrdner(const char *path);
int SW_ReadSafeFeldBeschreibung(const char *path);
int SW_ReadKarten(const char *path);
int SW_ReadFeldInhalt(const char *path);
int SW_ReadFieldTab();
int SW_ReadNotes();
int SW_ReadDesktopTable(const char *path);

// The reading steps above in their order, sorting folders and cards after they
// are read; 0, or -1 at the first step that fails (a damaged desktop section
// does not stop the read). Leaves the working file open.
int SW_ReadSafeSections(const char *path);
