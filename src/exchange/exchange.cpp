#include "exchange/exchange.h"

#include "frame/cp1252.h"
#include "model/records.h"
#include "platform/platform.h"

#include <cstdio>
#include <strings.h>

namespace {
const char *const kNames[XC_FORMAT_COUNT] = {"keepass-xml",  "keepassxc-csv", "bitwarden-json", "bitwarden-csv",
                                             "chrome-csv",   "firefox-csv",   "lastpass-csv",   "1password-csv"};

void Wipe(std::string *s) {
    if (!s->empty())
        PL_SecureZero(&(*s)[0], s->size());
    s->clear();
}
} // namespace

const char *XC_FormatName(int format) { return format >= 0 && format < XC_FORMAT_COUNT ? kNames[format] : ""; }

int XC_FormatByName(const std::string &name) {
    for (int k = 0; k < XC_FORMAT_COUNT; ++k)
        if (name == kNames[k])
            return k;
    return XC_UNKNOWN;
}

void XC_Position(const std::string &doc, size_t offset, XC_ERROR *error) {
    error->line = 1;
    error->column = 1;
    for (size_t k = 0; k < offset && k < doc.size(); ++k) {
        if (doc[k] == '\n') {
            ++error->line;
            error->column = 1;
        } else if ((static_cast<unsigned char>(doc[k]) & 0xC0) != 0x80) { // characters, not bytes
            ++error->column;
        }
    }
}

void XC_WipeEntries(std::vector<XC_ENTRY> *entries) {
    for (XC_ENTRY &e : *entries) {
        Wipe(&e.title);
        for (XC_FIELD &f : e.fields) {
            Wipe(&f.name);
            Wipe(&f.value);
        }
    }
    entries->clear();
}

size_t XC_ToSafeText(const std::string &utf8, std::string *out) {
    out->clear();
    size_t replaced = 0;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        unsigned cp = n == 1 ? c : n == 2 ? (c & 0x1Fu) : n == 3 ? (c & 0x0Fu) : (c & 0x07u);
        bool valid = n != 0 && i + n <= utf8.size();
        for (size_t k = 1; valid && k < n; ++k) {
            const unsigned char t = static_cast<unsigned char>(utf8[i + k]);
            valid = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3Fu);
        }
        static const unsigned kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)))
            valid = false;
        if (!valid) { // a file in the code page itself, or a broken one: the byte as it is
            out->push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        const int b = CP_ByteOfCodePoint(cp);
        if (b >= 0) {
            out->push_back(static_cast<char>(b));
        } else {
            char text[16];
            snprintf(text, sizeof text, "[U+%04X]", cp);
            *out += text;
            ++replaced;
        }
        i += n;
    }
    return replaced;
}

std::string XC_ToUtf8(const std::string &cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (unsigned char c : cp1252) {
        const unsigned cp = CP_CodePointOfByte(c);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

XC_MEANING XC_MeaningOf(const char *name, unsigned type) {
    if (type == FT_PASSWORT)
        return XC_PASSWORD;
    if (type == FT_URL)
        return XC_URL;
    static const char *const kUser[] = {"User name", "Username", "User", "Login"};
    for (const char *u : kUser)
        if (strcasecmp(name, u) == 0)
            return XC_USER;
    return strcasecmp(name, "Notes") == 0 || strcasecmp(name, "Note") == 0 ? XC_NOTES : XC_OTHER;
}

std::string XC_ReportText(const XC_REPORT &report) {
    char head[160];
    snprintf(head, sizeof head, "Imported %u folder%s, %u card%s, %u field%s.\n", report.folders,
             report.folders == 1 ? "" : "s", report.cards, report.cards == 1 ? "" : "s", report.fields,
             report.fields == 1 ? "" : "s");
    std::string text = head;
    if (report.lines.empty())
        return text + "Nothing was changed, shortened or skipped.\n";
    for (const std::string &line : report.lines)
        text += line + "\n";
    return text;
}
