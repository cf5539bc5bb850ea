#include "cli/cli_text.h"

#include "cli/cli_streams.h"
#include "frame/cp1252.h"

#include <cstdio>

namespace {

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

// Code points as the terminal shows them (see CLI_Shown).
std::string Shown(const std::u32string &cps, bool quoted) {
    std::string plain, escaped;
    bool escapes = false;
    for (char32_t cp : cps) {
        std::string bytes;
        char code[12] = {};
        if (cp == '\t' || cp == '\n' || cp == '\r')
            snprintf(code, sizeof code, "\\%c", cp == '\t' ? 't' : cp == '\n' ? 'n' : 'r');
        else if (IsControl(cp))
            snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned>(cp));
        else if (!PL_TerminalEncode(cp, &bytes))
            snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(cp));
        escapes = escapes || code[0];
        plain += code[0] ? code : bytes;
        escaped += code[0] ? code : cp == '\\' ? "\\\\" : cp == '"' ? "\\\"" : bytes;
    }
    return !quoted || !escapes ? plain : "\"" + escaped + "\"";
}

// Bytes that are no text of the terminal: printable ASCII as it is, the rest as \xHH.
std::string RawShown(const char *bytes, size_t len) {
    std::string s;
    for (size_t i = 0; i < len; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        char code[8];
        snprintf(code, sizeof code, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02x", c);
        s += code;
    }
    return s;
}

} // namespace

bool CLI_FromTerminal(PL_TERMINAL_TEXT kind, int index, const char *bytes, size_t len, std::string *text,
                      const char *what) {
    std::u32string cps;
    cps.reserve(len);
    size_t bad = 0;
    text->clear();
    text->reserve(len); // never more characters than bytes: no copy is left by a reallocation
    if (PL_TerminalDecode(kind, index, bytes, len, &cps, &bad) != 0) {
        fprintf(CLI_Err(), "orvsafe-cli: %s%s%s is no text in the terminal's encoding (byte %zu)\n", what ? what : "\"",
                what ? "" : RawShown(bytes, len).c_str(), what ? "" : "\"", bad + 1);
        return false;
    }
    for (char32_t cp : cps) {
        // The C1 controls would land on the bytes Windows-1252 leaves undefined.
        int b = cp >= 0x80 && cp < 0xA0 ? -1 : CP_ByteOfCodePoint(cp);
        if (b >= 0) {
            text->push_back(static_cast<char>(b));
            continue;
        }
        char name[16];
        snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
        if (what)
            fprintf(CLI_Err(), "orvsafe-cli: %s holds %s, a character that no safe text can hold\n", what, name);
        else
            fprintf(CLI_Err(), "orvsafe-cli: \"%s\" holds \"%s\" (%s), a character that no safe text can hold\n",
                    Shown(cps, false).c_str(), Shown(std::u32string(1, cp), false).c_str(), name);
        PL_SecureZero(&(*text)[0], text->size());
        PL_SecureZero(&cps[0], cps.size() * sizeof cps[0]);
        text->clear();
        return false;
    }
    PL_SecureZero(&cps[0], cps.size() * sizeof cps[0]);
    return true;
}

std::string CLI_Shown(const std::string &text, bool quoted) {
    std::u32string cps;
    for (unsigned char c : text)
        cps.push_back(CP_CodePointOfByte(c));
    return Shown(cps, quoted);
}
