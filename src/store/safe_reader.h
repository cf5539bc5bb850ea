// Reading a safe file into the working copy and the record lists: the header
// and its version, the control block (the password check), then every section,
// converting the records of older format versions as they are read.
#pragma once

[[nodiscard]] int SW_OpenSafe(const char *path);
[[nodiscard]] int SW_ReadSafeHeader();
[[nodiscard]] int SW_ReadSafeOrdner(const char *path);
[[nodiscard]] int SW_ReadSafeFeldBeschreibung(const char *path);
[[nodiscard]] int SW_ReadKarten(const char *path);
[[nodiscard]] int SW_ReadFeldInhalt(const char *path);
[[nodiscard]] int SW_ReadFieldTab();
[[nodiscard]] int SW_ReadNotes();
[[nodiscard]] int SW_ReadDesktopTable(const char *path);

// The reading steps above in their order, sorting folders and cards after they
// are read; 0, or -1 at the first step that fails (a damaged desktop section
// does not stop the read). Leaves the working file open.
[[nodiscard]] int SW_ReadSafeSections(const char *path);
