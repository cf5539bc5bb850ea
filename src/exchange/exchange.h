// Moving entries in from other password managers and out to them. A file is
// read whole and parsed into a list of entries before anything in the safe
// changes; the list is then mapped into the open safe's folders and cards.
// Texts in the list are UTF-8 as the files hold them; the mapper converts them
// to the Windows-1252 a safe holds, the exporter back to UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a field stands for in the other managers.
enum XC_MEANING { XC_OTHER, XC_USER, XC_PASSWORD, XC_URL, XC_NOTES };

struct XC_FIELD {
    std::string name; // for XC_OTHER: the name the source gives it
    std::string value;
    XC_MEANING meaning;
    bool secret; // a hidden or protected custom value: a password field
};

struct XC_ENTRY {
    std::vector<std::string> group; // folder path; empty: none
    std::string title;
    std::vector<XC_FIELD> fields;
};

enum XC_FORMAT {
    XC_UNKNOWN = -1,
    XC_KEEPASS_XML,
    XC_KEEPASSXC_CSV,
    XC_BITWARDEN_JSON,
    XC_BITWARDEN_CSV,
    XC_CHROME_CSV,
    XC_FIREFOX_CSV,
    XC_LASTPASS_CSV,
    XC_1PASSWORD_CSV,
    XC_FORMAT_COUNT
};

// "keepass-xml", "keepassxc-csv", ...; the number of a name, or XC_UNKNOWN.
const char *XC_FormatName(int format);
int XC_FormatByName(const std::string &name);
// The format of a document from its structure or header row; XC_UNKNOWN when none fits.
int XC_Detect(const std::string &doc);

// Where and why a parse failed; line and column count from 1.
struct XC_ERROR {
    std::string text;
    int line = 0, column = 0;
};
// The line and column of a byte offset in doc.
void XC_Position(const std::string &doc, size_t offset, XC_ERROR *error);

// Parses a whole document of a format (XC_UNKNOWN: detected). false with *error
// filled, and nothing in *entries. *dropped names the source's columns that
// carry only its own bookkeeping (times, icons) and are not taken over.
bool XC_Parse(const std::string &doc, int format, std::vector<XC_ENTRY> *entries, std::string *dropped,
              XC_ERROR *error);
bool XC_ParseCsv(const std::string &doc, int format, std::vector<XC_ENTRY> *entries, std::string *dropped,
                 XC_ERROR *error);
bool XC_ParseKeePassXml(const std::string &doc, std::vector<XC_ENTRY> *entries, XC_ERROR *error);
bool XC_ParseBitwardenJson(const std::string &doc, std::vector<XC_ENTRY> *entries, XC_ERROR *error);

// Wipes every text of the list and empties it.
void XC_WipeEntries(std::vector<XC_ENTRY> *entries);

// UTF-8 to Windows-1252: a character the code page lacks becomes "[U+XXXX]"
// (its code point in hex), a byte that starts no valid UTF-8 sequence is taken
// as the Windows-1252 character it is. Answers the characters replaced.
size_t XC_ToSafeText(const std::string &utf8, std::string *out);
// Windows-1252 to UTF-8.
std::string XC_ToUtf8(const std::string &cp1252);

// The meaning of a safe field by its type and name (the "Web login" template's
// fields and what users name alike).
XC_MEANING XC_MeaningOf(const char *name, unsigned type);

// What an import did, in Windows-1252: counts, and one line for each entry
// whose text was changed, shortened or skipped, saying why.
struct XC_REPORT {
    unsigned folders = 0, cards = 0, fields = 0;
    std::vector<std::string> lines;
    std::vector<uint32_t> newFolders; // what the import made: every card went into one of them
};
std::string XC_ReportText(const XC_REPORT &report);

// Maps the entries into the open safe's lists: a folder from the "Web login"
// template for each group (entries without one into "Imported"), a card for
// each entry. The folders are found through the tree the pane view keeps.
// 0, or -1 after saying why (shown and logged).
int XC_ImportEntries(const std::vector<XC_ENTRY> &entries, XC_REPORT *report);

// The active lists as a document of keepass-xml or keepassxc-csv, UTF-8.
// false for another format.
bool XC_Export(int format, std::string *out);

// Writes an export to a file made new (never one that exists; on POSIX
// readable by its owner alone), flushed; a failed write leaves nothing behind.
// 0, or -1 after saying why (shown and logged).
int XC_WriteNewFile(const char *path, const std::string &doc);

// The program's "Import..." and "Export..." behind their windows.
//
// Imports the file at path into the active safe: read whole and parsed first (a
// failure is shown with its line and column and changes nothing). 0 with the
// report, or -1 after saying why, with whatever was added taken out again.
int XC_ImportCommand(const char *path, XC_REPORT *report);
// Takes an import out again: its folders with their cards.
void XC_UndoImport(const XC_REPORT &report);
// Exports the active safe to a new file at path after asking its password again
// (when it has one) and warning that the file is not encrypted. 0 written, 1
// cancelled or the password wrong (told), -1 failed (told).
int XC_ExportCommand(int format, const char *path);
