#include "cli/cli_exchange.h"

#include "cli/cli_safe.h"
#include "cli/cli_streams.h"
#include "cli/cli_text.h"
#include "exchange/exchange.h"
#include "platform/platform.h"
#include "store/safe_state.h"

#include <cstdio>

namespace {

int FormatOf(const Args &a, int *format) {
    *format = XC_UNKNOWN;
    if (!CLI_Has(a, "--format"))
        return 0;
    *format = XC_FormatByName(a.options.at("--format"));
    if (*format != XC_UNKNOWN)
        return 0;
    fprintf(CLI_Err(), "orvsafe-cli: unknown format %s; give one of", a.options.at("--format").c_str());
    for (int k = 0; k < XC_FORMAT_COUNT; ++k)
        fprintf(CLI_Err(), " %s", XC_FormatName(k));
    fputc('\n', CLI_Err());
    return 2;
}

void Wipe(std::string *s) {
    if (!s->empty())
        PL_SecureZero(&(*s)[0], s->size());
}

} // namespace

int CLI_ImportFrom(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return CLI_BAD_USAGE;
    const std::string &file = a.positional[0], &safe = a.positional[1];
    int format = XC_UNKNOWN;
    if (int rc = FormatOf(a, &format))
        return rc;
    // The whole file is read and parsed before the safe is touched.
    std::string doc, dropped;
    if (!CLI_ReadWholeFile(file, &doc)) {
        fprintf(CLI_Err(), "orvsafe-cli: cannot read %s\n", file.c_str());
        return 1;
    }
    std::vector<XC_ENTRY> entries;
    XC_ERROR error;
    const bool parsed = XC_Parse(doc, format, &entries, &dropped, &error);
    Wipe(&doc);
    if (!parsed) {
        fprintf(CLI_Err(), "orvsafe-cli: %s:%d:%d: %s; nothing was imported\n", file.c_str(), error.line,
                error.column, error.text.c_str());
        return 1;
    }
    XC_REPORT report;
    int rc = 1;
    if (PL_GetFileAttributes(safe.c_str()) != PL_INVALID_ATTRIBUTES) {
        if (CLI_OpenSafe(a, ui, safe) == 0) {
            rc = XC_ImportEntries(entries, &report) == 0 ? CLI_SaveSafe() : 1;
            if (rc != 0 && hmySafe) {
                PL_CloseHandle(hmySafe);
                hmySafe = nullptr;
            }
        }
    } else {
        // A new safe, its password typed twice (or once from a file), as create makes it.
        char confirm[CLI_PASSWORD_SIZE] = {};
        const bool without = CLI_Has(a, "--no-password");
        if (without || CLI_ReadNewPassword(CLI_Has(a, "--password-file") ? a.options.at("--password-file") : "",
                                           ui.password, confirm)) {
            ui.havePassword = !without;
            if (XC_ImportEntries(entries, &report) == 0)
                rc = CLI_WriteNewSafe(safe, false, ui.password, confirm, without, 0);
        }
        PL_SecureZero(confirm, sizeof confirm);
    }
    XC_WipeEntries(&entries);
    if (rc != 0)
        return rc;
    if (!dropped.empty())
        report.lines.insert(report.lines.begin(), "Not taken over (the other program's own bookkeeping): " + dropped);
    const std::string text = XC_ReportText(report);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        fprintf(CLI_Out(), "%s\n", CLI_Shown(text.substr(start, end - start), false).c_str());
    return 0;
}

int CLI_ExportTo(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return CLI_BAD_USAGE;
    const int format = XC_FormatByName(a.positional[0]);
    if (format != XC_KEEPASS_XML && format != XC_KEEPASSXC_CSV) {
        fprintf(CLI_Err(), "orvsafe-cli: export-to writes keepass-xml or keepassxc-csv, not %s\n",
                a.positional[0].c_str());
        return 2;
    }
    if (CLI_ReadSafe(a, ui, a.positional[1]) != 0)
        return 1;
    std::string doc;
    XC_Export(format, &doc);
    int rc = 0;
    if (CLI_Has(a, "--output")) {
        rc = XC_WriteNewFile(a.options.at("--output").c_str(), doc) == 0 ? 0 : 1;
    } else if (fwrite(doc.data(), 1, doc.size(), CLI_Out()) != doc.size() || fflush(CLI_Out()) != 0) {
        fprintf(CLI_Err(), "orvsafe-cli: the export could not be written to standard output\n");
        rc = 1;
    }
    Wipe(&doc);
    return rc;
}
