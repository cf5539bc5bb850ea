// "Import..." and "Export..." of the File menu: the file choosers and the
// import's report; what they do is the core's (exchange/exchange.h).
#pragma once

// Import: without an open safe "Create Safe" comes first; then the file chooser,
// the import and its report ("Undo import" takes it out again, "Save..." writes
// the report as a text file).
void XW_ImportCommand();
// Export: the file chooser (its type picks keepass-xml or keepassxc-csv), then
// the core asks the password again, warns and writes.
void XW_ExportCommand();
