// The files and folders the program keeps for itself, which a drop never
// encrypts: the program directory (a walk of it would take everything below),
// the settings, templates, categories, logs and recovery file in it, the backup
// and PDA folders with all they hold, and the open safe with the files beside it
// that carry its name (drop file, temporary files). The program writes them
// while it runs; encrypted, they would be written over in plain or appended to.
// Places are compared as the system resolves them, so another spelling of one
// (case, short names, "..", links) is still recognised.
#pragma once

// Resolves the places anew from the program directory, the settings and the
// open safe: a drop calls it before it looks at what was dropped.
void DW_LoadOwnFiles();
// 1 when the path is one of those places or lies in the backup or PDA folder;
// 0 otherwise, and for a path that does not exist.
int DW_IsOwnFile(const char *path);
