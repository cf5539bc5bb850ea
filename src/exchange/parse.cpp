// Picks the reader for a document: the readers use the shared helpers of
// exchange.cpp, and only this dispatcher calls the readers.
#include "exchange/exchange.h"

int XC_Detect(const std::string &doc) {
    size_t i = doc.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < doc.size() && (doc[i] == ' ' || doc[i] == '\t' || doc[i] == '\r' || doc[i] == '\n'))
        ++i;
    if (i < doc.size() && doc[i] == '<')
        return XC_KEEPASS_XML;
    if (i < doc.size() && doc[i] == '{')
        return XC_BITWARDEN_JSON;
    std::vector<XC_ENTRY> none;
    std::string dropped;
    XC_ERROR error;
    // A CSV file tells its format by its header row alone.
    std::string header = doc.substr(0, doc.find('\n'));
    if (!header.empty() && header.back() == '\r')
        header.pop_back();
    for (int k = XC_KEEPASSXC_CSV; k < XC_FORMAT_COUNT; ++k)
        if (k != XC_BITWARDEN_JSON && XC_ParseCsv(header, k, &none, &dropped, &error))
            return k;
    return XC_UNKNOWN;
}

bool XC_Parse(const std::string &doc, int format, std::vector<XC_ENTRY> *entries, std::string *dropped,
              XC_ERROR *error) {
    entries->clear();
    dropped->clear();
    if (format == XC_UNKNOWN)
        format = XC_Detect(doc);
    bool ok = false;
    switch (format) {
    case XC_UNKNOWN:
        error->text = "not a file of any format known here";
        error->line = error->column = 1;
        return false;
    case XC_KEEPASS_XML: ok = XC_ParseKeePassXml(doc, entries, error); break;
    case XC_BITWARDEN_JSON: ok = XC_ParseBitwardenJson(doc, entries, error); break;
    default: ok = XC_ParseCsv(doc, format, entries, dropped, error); break;
    }
    if (!ok)
        XC_WipeEntries(entries);
    return ok;
}
