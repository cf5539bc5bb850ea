#include "exchange/exchange.h"

#include "platform/platform.h"

#include <cctype>
#include <map>

namespace {

typedef std::vector<std::string> Row;

// RFC 4180: fields in double quotes may hold commas, line breaks and doubled
// quotes; lines end in CRLF or LF. A quote inside an unquoted field is taken
// as it is, as the browsers write them.
bool SplitCsv(const std::string &d, std::vector<Row> *rows, std::vector<size_t> *starts, XC_ERROR *error) {
    size_t i = d.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    Row row;
    size_t rowStart = i;
    while (i <= d.size()) {
        std::string field;
        if (i < d.size() && d[i] == '"') {
            const size_t open = i++;
            for (;;) {
                if (i >= d.size()) {
                    XC_Position(d, open, error);
                    error->text = "a quoted field without its closing quote";
                    return false;
                }
                if (d[i] == '"') {
                    if (i + 1 < d.size() && d[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(d[i++]);
            }
            if (i < d.size() && d[i] != ',' && d[i] != '\n' && !(d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n')) {
                XC_Position(d, i, error);
                error->text = "a comma or the end of the line expected after a closing quote";
                return false;
            }
        } else {
            while (i < d.size() && d[i] != ',' && d[i] != '\n' && !(d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n'))
                field.push_back(d[i++]);
        }
        row.push_back(std::move(field));
        if (i < d.size() && d[i] == ',') {
            ++i;
            continue;
        }
        i += i < d.size() && d[i] == '\r' ? 2 : 1; // past the line's end
        if (!(row.size() == 1 && row[0].empty())) { // blank lines carry nothing
            rows->push_back(std::move(row));
            starts->push_back(rowStart);
        }
        row.clear();
        rowStart = i;
    }
    return true;
}

// What a column becomes.
enum Role { R_EXTRA, R_GROUP, R_TITLE, R_USER, R_PASSWORD, R_URL, R_NOTES, R_BW_FIELDS, R_DROP };

struct Column {
    const char *header;
    Role role;
};

struct Format {
    int format;
    const Column *columns;
    char groupSeparator; // 0: the group column is one folder name
    bool rootFirst;      // the group path starts with the root group, which is left out
};

const Column kKeePassXC[] = {{"Group", R_GROUP},     {"Title", R_TITLE}, {"Username", R_USER},
                             {"Password", R_PASSWORD}, {"URL", R_URL},   {"Notes", R_NOTES},
                             {"TOTP", R_EXTRA},      {"Icon", R_DROP},   {"Last Modified", R_DROP},
                             {"Created", R_DROP},    {nullptr, R_DROP}};
const Column kBitwarden[] = {{"folder", R_GROUP},     {"favorite", R_EXTRA},       {"type", R_DROP},
                             {"name", R_TITLE},       {"notes", R_NOTES},          {"fields", R_BW_FIELDS},
                             {"reprompt", R_EXTRA},   {"login_uri", R_URL},        {"login_username", R_USER},
                             {"login_password", R_PASSWORD}, {"login_totp", R_EXTRA}, {nullptr, R_DROP}};
const Column kChrome[] = {{"name", R_TITLE},         {"url", R_URL},   {"username", R_USER},
                          {"password", R_PASSWORD},  {"note", R_NOTES}, {nullptr, R_DROP}};
const Column kFirefox[] = {{"url", R_URL},
                           {"username", R_USER},
                           {"password", R_PASSWORD},
                           {"httpRealm", R_EXTRA},
                           {"formActionOrigin", R_EXTRA},
                           {"guid", R_DROP},
                           {"timeCreated", R_DROP},
                           {"timeLastUsed", R_DROP},
                           {"timePasswordChanged", R_DROP},
                           {nullptr, R_DROP}};
const Column kLastPass[] = {{"url", R_URL},     {"username", R_USER},  {"password", R_PASSWORD},
                            {"totp", R_EXTRA},  {"extra", R_NOTES},    {"name", R_TITLE},
                            {"grouping", R_GROUP}, {"fav", R_EXTRA},   {nullptr, R_DROP}};
const Column k1Password[] = {{"Title", R_TITLE},          {"Website", R_URL},
                             {"Username", R_USER},        {"Password", R_PASSWORD},
                             {"One-time password", R_EXTRA}, {"Favorite status", R_EXTRA},
                             {"Archived status", R_EXTRA}, {"Tags", R_EXTRA},
                             {"Notes", R_NOTES},          {nullptr, R_DROP}};

const Format kFormats[] = {
    {XC_KEEPASSXC_CSV, kKeePassXC, '/', true}, {XC_BITWARDEN_CSV, kBitwarden, '/', false},
    {XC_CHROME_CSV, kChrome, 0, false},        {XC_FIREFOX_CSV, kFirefox, 0, false},
    {XC_LASTPASS_CSV, kLastPass, '\\', false}, {XC_1PASSWORD_CSV, k1Password, 0, false},
};

std::string Lower(std::string s) {
    for (char &c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// Each documented column found in the header, or -1 when the header lacks one.
bool MatchHeader(const Row &header, const Format &f, std::vector<const Column *> *byIndex) {
    byIndex->assign(header.size(), nullptr);
    for (const Column *c = f.columns; c->header; ++c) {
        bool found = false;
        for (size_t k = 0; k < header.size(); ++k)
            if (Lower(header[k]) == Lower(c->header) && !(*byIndex)[k]) {
                (*byIndex)[k] = c;
                found = true;
                break;
            }
        if (!found)
            return false;
    }
    return true;
}

std::vector<std::string> SplitGroup(const std::string &text, char separator) {
    std::vector<std::string> path;
    if (!separator) {
        if (!text.empty())
            path.push_back(text);
        return path;
    }
    size_t start = 0;
    for (size_t cut; (cut = text.find(separator, start)) != std::string::npos; start = cut + 1)
        path.push_back(text.substr(start, cut - start));
    path.push_back(text.substr(start));
    std::vector<std::string> kept;
    for (std::string &p : path)
        if (!p.empty())
            kept.push_back(std::move(p));
    return kept;
}

// Bitwarden's custom fields: one "name: value" a line.
void AddBitwardenFields(const std::string &text, XC_ENTRY *e) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t colon = line.find(": ");
        if (!line.empty())
            e->fields.push_back({colon == std::string::npos ? "Field" : line.substr(0, colon),
                                 colon == std::string::npos ? line : line.substr(colon + 2), XC_OTHER, false});
        start = end + 1;
    }
}

} // namespace

bool XC_ParseCsv(const std::string &doc, int format, std::vector<XC_ENTRY> *entries, std::string *dropped,
                 XC_ERROR *error) {
    const Format *f = nullptr;
    for (const Format &k : kFormats)
        if (k.format == format)
            f = &k;
    std::vector<Row> rows;
    std::vector<size_t> starts;
    if (!f) {
        error->text = "not a CSV format";
        error->line = error->column = 1;
        return false;
    }
    if (!SplitCsv(doc, &rows, &starts, error))
        return false;
    std::vector<const Column *> byIndex;
    if (rows.empty() || !MatchHeader(rows[0], *f, &byIndex)) {
        error->text = std::string("the first line is not the header row of ") + XC_FormatName(format);
        error->line = error->column = 1;
        return false;
    }
    for (size_t k = 0; k < byIndex.size(); ++k)
        if (byIndex[k] && byIndex[k]->role == R_DROP)
            *dropped += (dropped->empty() ? "" : ", ") + rows[0][k];
    for (size_t r = 1; r < rows.size(); ++r) {
        const Row &row = rows[r];
        if (row.size() > byIndex.size()) {
            XC_Position(doc, starts[r], error);
            error->text = "more fields in this row than the header names";
            entries->clear();
            return false;
        }
        XC_ENTRY e;
        for (size_t k = 0; k < row.size(); ++k) {
            const Role role = byIndex[k] ? byIndex[k]->role : R_EXTRA;
            const std::string &v = row[k];
            switch (role) {
            case R_GROUP:
                e.group = SplitGroup(v, f->groupSeparator);
                if (f->rootFirst && !e.group.empty() && e.group.size() > 1)
                    e.group.erase(e.group.begin());
                break;
            case R_TITLE: e.title = v; break;
            case R_USER: e.fields.push_back({"", v, XC_USER, false}); break;
            case R_PASSWORD: e.fields.push_back({"", v, XC_PASSWORD, false}); break;
            case R_URL: e.fields.push_back({"", v, XC_URL, false}); break;
            case R_NOTES: e.fields.push_back({"", v, XC_NOTES, false}); break;
            case R_BW_FIELDS: AddBitwardenFields(v, &e); break;
            case R_EXTRA:
                if (!v.empty())
                    e.fields.push_back({rows[0][k], v, XC_OTHER, false});
                break;
            case R_DROP: break;
            }
        }
        entries->push_back(std::move(e));
    }
    for (Row &row : rows)
        for (std::string &text : row)
            if (!text.empty())
                PL_SecureZero(&text[0], text.size());
    return true;
}
