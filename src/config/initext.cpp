#include "config/initext.h"

#include "frame/memory.h"

#include <cstring>

namespace {
// A line of the text: [start, end) its bytes, next the start of the following
// line; [first, last) the bytes without the blanks around them.
struct LINE {
    uint32_t start, end, next;
    uint32_t first, last;
};

// A section: where its header line starts, where its body starts (after the
// header line), where it ends (the next header or the end of the text), and the
// line ends after its last key and after its last line that is not blank.
struct SECTION {
    uint32_t header, body, end;
    uint32_t afterLastKey, afterLastLine;
};

// A key line: the line, and the value as stored [valueStart, valueEnd).
struct KEYLINE {
    LINE line;
    uint32_t valueStart, valueEnd;
};

// A requested name without the blanks around it.
struct NAME {
    const char *p;
    uint32_t len;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

NAME Trim(const char *s) {
    NAME n{s, 0};
    if (!s)
        return n;
    while (IsBlank(*n.p))
        ++n.p;
    n.len = static_cast<uint32_t>(strlen(n.p));
    while (n.len > 0 && IsBlank(n.p[n.len - 1]))
        --n.len;
    return n;
}

bool SameName(const char *stored, uint32_t len, NAME want) {
    if (len != want.len)
        return false;
    for (uint32_t i = 0; i < len; ++i)
        if (Fold(stored[i]) != Fold(want.p[i]))
            return false;
    return true;
}

bool HasLineBreak(NAME n) {
    for (uint32_t i = 0; i < n.len; ++i)
        if (IsLineEnd(n.p[i]))
            return true;
    return false;
}

// Where the lines begin: after a UTF-8 byte order mark.
uint32_t TextStart(const INITEXT *t) {
    return (t->dwLength >= 3 && memcmp(t->lpText, "\xEF\xBB\xBF", 3) == 0) ? 3 : 0;
}

bool ReadLine(const INITEXT *t, uint32_t pos, LINE *l) {
    if (pos >= t->dwLength)
        return false;
    const char *s = t->lpText;
    uint32_t e = pos;
    while (e < t->dwLength && !IsLineEnd(s[e]))
        ++e;
    l->start = pos;
    l->end = e;
    l->next = e;
    if (e < t->dwLength) {
        l->next = e + 1;
        if (s[e] == '\r' && e + 1 < t->dwLength && s[e + 1] == '\n')
            l->next = e + 2;
    }
    l->first = pos;
    while (l->first < e && IsBlank(s[l->first]))
        ++l->first;
    l->last = e;
    while (l->last > l->first && IsBlank(s[l->last - 1]))
        --l->last;
    return true;
}

// A header line "[name]": the name between the "[" and the last "]", trimmed.
bool HeaderName(const INITEXT *t, const LINE &l, uint32_t *nameStart, uint32_t *nameLen) {
    const char *s = t->lpText;
    if (l.first >= l.last || s[l.first] != '[')
        return false;
    uint32_t close = l.last;
    while (close > l.first + 1 && s[close - 1] != ']')
        --close;
    if (close <= l.first + 1)
        return false;
    uint32_t a = l.first + 1, b = close - 1; // name is [a, b)
    while (a < b && IsBlank(s[a]))
        ++a;
    while (b > a && IsBlank(s[b - 1]))
        --b;
    *nameStart = a;
    *nameLen = b - a;
    return true;
}

bool IsHeader(const INITEXT *t, const LINE &l) {
    uint32_t a, n;
    return HeaderName(t, l, &a, &n);
}

// A key line (not a header, holding "="): the key [first, keyEnd) and the value.
bool KeyOf(const INITEXT *t, const LINE &l, uint32_t *keyEnd, uint32_t *valueStart) {
    if (IsHeader(t, l))
        return false;
    const char *s = t->lpText;
    const void *eq = memchr(s + l.first, '=', l.last - l.first);
    if (!eq)
        return false;
    uint32_t e = static_cast<uint32_t>(static_cast<const char *>(eq) - s);
    uint32_t k = e;
    while (k > l.first && IsBlank(s[k - 1]))
        --k;
    uint32_t v = e + 1;
    while (v < l.last && IsBlank(s[v]))
        ++v;
    *keyEnd = k;
    *valueStart = v;
    return true;
}

bool FindSection(const INITEXT *t, NAME name, SECTION *sec) {
    LINE l;
    uint32_t pos = TextStart(t);
    bool inside = false;
    while (ReadLine(t, pos, &l)) {
        uint32_t a, n;
        bool header = HeaderName(t, l, &a, &n);
        if (inside) {
            if (header) {
                sec->end = l.start;
                return true;
            }
            uint32_t k, v;
            if (KeyOf(t, l, &k, &v))
                sec->afterLastKey = l.next;
            if (l.first < l.last)
                sec->afterLastLine = l.next;
        } else if (header && SameName(t->lpText + a, n, name)) {
            inside = true;
            sec->header = l.start;
            sec->body = sec->afterLastKey = sec->afterLastLine = l.next;
        }
        pos = l.next;
    }
    if (inside)
        sec->end = t->dwLength;
    return inside;
}

bool FindKey(const INITEXT *t, const SECTION &sec, NAME key, KEYLINE *kl) {
    LINE l;
    uint32_t pos = sec.body;
    while (pos < sec.end && ReadLine(t, pos, &l)) {
        uint32_t k, v;
        if (KeyOf(t, l, &k, &v) && SameName(t->lpText + l.first, k - l.first, key)) {
            kl->line = l;
            kl->valueStart = v;
            kl->valueEnd = l.last;
            return true;
        }
        pos = l.next;
    }
    return false;
}

// The line ending the file already uses; CR LF for a file without one.
const char *LineEnding(const INITEXT *t) {
    for (uint32_t i = 0; i < t->dwLength; ++i) {
        if (t->lpText[i] == '\n')
            return "\n";
        if (t->lpText[i] == '\r')
            return (i + 1 < t->dwLength && t->lpText[i + 1] == '\n') ? "\r\n" : "\r";
    }
    return "\r\n";
}

// Replaces [pos, pos + len) by the bytes given; 0 or -1.
int Splice(INITEXT *t, uint32_t pos, uint32_t len, const char *ins, uint32_t insLen) {
    uint32_t newLength = t->dwLength - len + insLen;
    if (newLength < t->dwLength - len) // a text past 4 GB
        return -1;
    if (newLength > t->dwSize) {
        uint32_t size = newLength + newLength / 2 + 64;
        if (size < newLength)
            size = newLength;
        char *p = static_cast<char *>(t->lpText ? T_Realloc("IT_M_00", t->lpText, t->dwSize, size)
                                                : T_Malloc("IT_M_01", size));
        if (!p)
            return -1;
        t->lpText = p;
        t->dwSize = size;
    }
    if (t->dwLength - pos - len > 0)
        memmove(t->lpText + pos + insLen, t->lpText + pos + len, t->dwLength - pos - len);
    if (insLen)
        memcpy(t->lpText + pos, ins, insLen);
    t->dwLength = newLength;
    return 0;
}

// A growing run of bytes for the lines to insert, in the text's own line ending;
// for a section that is new, its header line comes first.
struct LINES {
    INITEXT buf{nullptr, 0, 0};
    bool ok = true;
    const char *eol;
    LINES(const INITEXT *t, const NAME *newSection) : eol(LineEnding(t)) {
        if (newSection) {
            Add("[");
            Add(newSection->p, newSection->len);
            Add("]");
            Add(eol);
        }
    }
    ~LINES() { IT_Free(&buf); }
    LINES(const LINES &) = delete;
    LINES &operator=(const LINES &) = delete;
    void Add(const char *p, uint32_t n) {
        if (ok && Splice(&buf, buf.dwLength, 0, p, n) != 0)
            ok = false;
    }
    void Add(const char *s) { Add(s, static_cast<uint32_t>(strlen(s))); }
};

// Inserts lines at pos; a line before pos that has no line end gets one first.
int InsertLines(INITEXT *t, uint32_t pos, uint32_t replaceLen, LINES &lines) {
    if (!lines.ok)
        return -1;
    if (pos > TextStart(t) && !IsLineEnd(t->lpText[pos - 1]) && lines.buf.dwLength > 0) {
        const char *eol = LineEnding(t);
        if (Splice(&lines.buf, 0, 0, eol, static_cast<uint32_t>(strlen(eol))) != 0)
            return -1;
    }
    return Splice(t, pos, replaceLen, lines.buf.lpText, lines.buf.dwLength);
}

// A section name we can write: not empty, one line.
bool WritableSection(NAME n) { return n.len > 0 && !HasLineBreak(n); }

// A key name we can write: not empty, one line, no "=", not read as a header.
bool WritableKey(NAME n) {
    return n.len > 0 && !HasLineBreak(n) && !memchr(n.p, '=', n.len) && n.p[0] != '[';
}

// Length of a text up to its first line break.
uint32_t FirstLineLength(const char *s) {
    uint32_t n = 0;
    while (s[n] && !IsLineEnd(s[n]))
        ++n;
    return n;
}

uint32_t LengthBeforeZero(const char *p, uint32_t len) {
    const void *z = memchr(p, 0, len);
    return z ? static_cast<uint32_t>(static_cast<const char *>(z) - p) : len;
}
} // namespace

void IT_Init(INITEXT *t) {
    t->lpText = nullptr;
    t->dwLength = 0;
    t->dwSize = 0;
}

void IT_Free(INITEXT *t) {
    if (t->lpText)
        T_Free("IT_M_00", t->lpText);
    IT_Init(t);
}

int IT_Assign(INITEXT *t, const char *data, uint32_t length) {
    t->dwLength = 0;
    return Splice(t, 0, 0, data, length);
}

uint32_t IT_GetValue(const INITEXT *t, const char *section, const char *key, char *buf, uint32_t size) {
    if (!buf || size == 0)
        return 0;
    buf[0] = 0;
    NAME sn = Trim(section), kn = Trim(key);
    SECTION sec;
    KEYLINE kl;
    if (sn.len == 0 || kn.len == 0 || !FindSection(t, sn, &sec) || !FindKey(t, sec, kn, &kl))
        return 0;
    const char *v = t->lpText + kl.valueStart;
    uint32_t len = LengthBeforeZero(v, kl.valueEnd - kl.valueStart);
    if (len >= 2 && (v[0] == '"' || v[0] == '\'') && v[len - 1] == v[0]) {
        ++v;
        len -= 2;
    }
    if (len > size - 1)
        len = size - 1;
    memcpy(buf, v, len);
    buf[len] = 0;
    return len;
}

int IT_PutValue(INITEXT *t, const char *section, const char *key, const char *value) {
    NAME sn = Trim(section);
    if (!WritableSection(sn))
        return -1;
    SECTION sec;
    bool found = FindSection(t, sn, &sec);
    if (!key) { // remove the section
        return found ? Splice(t, sec.header, sec.end - sec.header, nullptr, 0) : 0;
    }
    NAME kn = Trim(key);
    if (!WritableKey(kn))
        return -1;
    KEYLINE kl;
    bool haveKey = found && FindKey(t, sec, kn, &kl);
    if (!value) { // remove the key
        return haveKey ? Splice(t, kl.line.start, kl.line.next - kl.line.start, nullptr, 0) : 0;
    }
    uint32_t vlen = FirstLineLength(value);
    if (haveKey)
        return Splice(t, kl.valueStart, kl.valueEnd - kl.valueStart, value, vlen);

    LINES lines(t, found ? nullptr : &sn);
    lines.Add(kn.p, kn.len);
    lines.Add("=");
    lines.Add(value, vlen);
    lines.Add(lines.eol);
    return InsertLines(t, found ? sec.afterLastKey : t->dwLength, 0, lines);
}

uint32_t IT_GetSection(const INITEXT *t, const char *section, char *buf, uint32_t size) {
    if (!buf || size == 0)
        return 0;
    buf[0] = 0;
    if (size == 1)
        return 0;
    buf[1] = 0;
    NAME sn = Trim(section);
    SECTION sec;
    if (sn.len == 0 || !FindSection(t, sn, &sec))
        return 0;
    uint32_t used = 0; // bytes stored before the closing zero
    LINE l;
    uint32_t pos = sec.body;
    while (pos < sec.end && ReadLine(t, pos, &l)) {
        pos = l.next;
        const char *s = t->lpText;
        if (l.first == l.last || s[l.first] == ';')
            continue;
        uint32_t k, v;
        const char *p1 = s + l.first, *p2 = nullptr;
        uint32_t n1 = l.last - l.first, n2 = 0;
        bool key = KeyOf(t, l, &k, &v);
        if (key) {
            n1 = k - l.first;
            p2 = s + v;
            n2 = LengthBeforeZero(p2, l.last - v);
        }
        n1 = LengthBeforeZero(p1, n1);
        uint32_t need = n1 + (key ? 1 + n2 : 0) + 1; // the string and its zero
        if (need > size - 1 - used)                  // and room for the closing zero
            break;
        memcpy(buf + used, p1, n1);
        used += n1;
        if (key) {
            buf[used++] = '=';
            memcpy(buf + used, p2, n2);
            used += n2;
        }
        buf[used++] = 0;
    }
    buf[used] = 0;
    return used;
}

int IT_PutSection(INITEXT *t, const char *section, const char *data) {
    NAME sn = Trim(section);
    if (!WritableSection(sn))
        return -1;
    SECTION sec;
    bool found = FindSection(t, sn, &sec);
    if (!data)
        return found ? Splice(t, sec.header, sec.end - sec.header, nullptr, 0) : 0;

    LINES lines(t, found ? nullptr : &sn);
    bool any = false;
    for (const char *s = data; *s; s += strlen(s) + 1) {
        uint32_t n = FirstLineLength(s);
        NAME trimmed = Trim(s);
        if (!memchr(s, '=', n) || (trimmed.len > 0 && trimmed.p[0] == '['))
            continue;
        lines.Add(s, n);
        lines.Add(lines.eol);
        any = true;
    }
    if (found)
        return InsertLines(t, sec.body, sec.afterLastLine - sec.body, lines);
    return any ? InsertLines(t, t->dwLength, 0, lines) : 0;
}
