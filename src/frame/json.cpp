#include "frame/json.h"

#include "frame/cp1252.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

const JsonValue *JsonValue::Get(const std::string &key) const {
    for (const auto &m : members)
        if (m.first == key)
            return &m.second;
    return nullptr;
}

namespace {
// The byte for a code point, or -1 when Windows-1252 has none. U+0080..U+009F
// are taken as the byte of the same number: exports written before the code
// page was applied carry them.
int ByteOfCodePoint(unsigned cp) { return cp <= 0xFF ? static_cast<int>(cp) : CP_ByteOfCodePoint(cp); }

struct Parser {
    const std::string &s;
    size_t i = 0;
    std::string error;
    int depth = 0;
    // Streaming: the items of the top-level object's lists go to take, and no
    // more than maxValues values are held at once.
    const JsonTake *take = nullptr;
    size_t maxValues = SIZE_MAX, values = 0;
    bool rootIsObject = false;
    std::string listKey; // the top-level key whose value is being read
    bool utf8 = false;   // texts stay UTF-8 (files of other programs), no code page applied

    void Space() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
            ++i;
    }
    bool Fail(const char *what) {
        if (error.empty())
            error = std::string(what) + " at offset " + std::to_string(i);
        return false;
    }
    bool Literal(const char *word) {
        size_t n = std::char_traits<char>::length(word);
        if (s.compare(i, n, word) != 0)
            return Fail("unexpected text");
        i += n;
        return true;
    }
    bool Hex4(unsigned *v) {
        if (i + 4 > s.size())
            return Fail("short \\u escape");
        *v = 0;
        for (int k = 0; k < 4; ++k) {
            char c = s[i++];
            *v <<= 4;
            if (c >= '0' && c <= '9')
                *v |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                *v |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                *v |= static_cast<unsigned>(c - 'A' + 10);
            else
                return Fail("bad \\u escape");
        }
        return true;
    }
    static void PutUtf8(unsigned cp, std::string *out) {
        if (cp < 0x80) {
            out->push_back(static_cast<char>(cp));
            return;
        }
        int n = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        out->push_back(static_cast<char>((0xF00u >> n) | (cp >> (6 * (n - 1)))));
        for (int k = n - 2; k >= 0; --k)
            out->push_back(static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F)));
    }
    bool Byte(unsigned cp, std::string *out) {
        if (utf8) {
            PutUtf8(cp, out);
            return true;
        }
        int b = ByteOfCodePoint(cp);
        if (b < 0)
            return Fail("a character that no safe text can hold");
        out->push_back(static_cast<char>(b));
        return true;
    }
    // A UTF-8 sequence in the document: its character must be one of Windows-1252.
    bool Utf8(std::string *out) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out->push_back(s[i++]);
            return true;
        }
        size_t n = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : utf8 && (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return Fail("a character that no safe text can hold");
        unsigned cp = c & (n == 2 ? 0x1Fu : n == 3 ? 0x0Fu : 0x07u);
        for (size_t k = 1; k < n; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return Fail("a character that no safe text can hold");
            cp = (cp << 6) | (t & 0x3Fu);
        }
        if (cp < (n == 2 ? 0x80u : n == 3 ? 0x800u : 0x10000u) || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return Fail("a character that no safe text can hold");
        i += n;
        return Byte(cp, out);
    }
    bool String(std::string *out) {
        if (i >= s.size() || s[i] != '"')
            return Fail("expected a string");
        ++i;
        for (;;) {
            if (i >= s.size())
                return Fail("unterminated string");
            char c = s[i];
            if (c == '"') {
                ++i;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("control character in a string");
            if (c != '\\') {
                if (!Utf8(out))
                    return false;
                continue;
            }
            if (++i >= s.size())
                return Fail("unterminated escape");
            char e = s[i++];
            switch (e) {
            case '"': out->push_back('"'); break;
            case '\\': out->push_back('\\'); break;
            case '/': out->push_back('/'); break;
            case 'b': out->push_back('\b'); break;
            case 'f': out->push_back('\f'); break;
            case 'n': out->push_back('\n'); break;
            case 'r': out->push_back('\r'); break;
            case 't': out->push_back('\t'); break;
            case 'u': {
                unsigned v = 0;
                if (!Hex4(&v))
                    return false;
                // A pair of surrogates is one character beyond the first plane.
                if (utf8 && v >= 0xD800 && v < 0xDC00 && s.compare(i, 2, "\\u") == 0) {
                    i += 2;
                    unsigned low = 0;
                    if (!Hex4(&low) || low < 0xDC00 || low >= 0xE000)
                        return Fail("bad surrogate pair");
                    v = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                } else if (utf8 && v >= 0xD800 && v < 0xE000) {
                    return Fail("bad surrogate pair");
                }
                if (!Byte(v, out))
                    return false;
                break;
            }
            default: return Fail("bad escape");
            }
        }
    }
    size_t Digits(size_t k) const {
        while (k < s.size() && s[k] >= '0' && s[k] <= '9')
            ++k;
        return k;
    }
    // JSON's number grammar only: strtod alone would take "nan", "inf" and hex.
    bool Number(double *number) {
        size_t k = i;
        if (k < s.size() && s[k] == '-')
            ++k;
        size_t intEnd = Digits(k);
        if (intEnd == k || (s[k] == '0' && intEnd > k + 1))
            return Fail("unexpected character");
        k = intEnd;
        if (k < s.size() && s[k] == '.') {
            size_t fracEnd = Digits(k + 1);
            if (fracEnd == k + 1)
                return Fail("bad number");
            k = fracEnd;
        }
        if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
            size_t e = k + 1;
            if (e < s.size() && (s[e] == '+' || s[e] == '-'))
                ++e;
            size_t expEnd = Digits(e);
            if (expEnd == e)
                return Fail("bad number");
            k = expEnd;
        }
        *number = strtod(std::string(s, i, k - i).c_str(), nullptr);
        if (!std::isfinite(*number))
            return Fail("number out of range");
        i = k;
        return true;
    }
    bool Value(JsonValue *v) {
        if (++depth > 64)
            return Fail("nested too deeply");
        if (++values > maxValues)
            return Fail("too many values in one record");
        Space();
        if (i >= s.size())
            return Fail("unexpected end");
        bool ok = true;
        char c = s[i];
        if (c == '{') {
            v->kind = JsonValue::OBJECT;
            if (depth == 1)
                rootIsObject = true;
            ++i;
            Space();
            if (i < s.size() && s[i] == '}') {
                ++i;
            } else {
                for (;;) {
                    Space();
                    std::string key;
                    JsonValue member;
                    if (!String(&key))
                        return false;
                    Space();
                    if (i >= s.size() || s[i] != ':')
                        return Fail("expected ':'");
                    ++i;
                    if (depth == 1)
                        listKey = key;
                    if (!Value(&member))
                        return false;
                    v->members.emplace_back(key, std::move(member));
                    Space();
                    if (i < s.size() && s[i] == ',') {
                        ++i;
                        continue;
                    }
                    if (i < s.size() && s[i] == '}') {
                        ++i;
                        break;
                    }
                    return Fail("expected ',' or '}'");
                }
            }
        } else if (c == '[') {
            v->kind = JsonValue::ARRAY;
            ++i;
            Space();
            if (i < s.size() && s[i] == ']') {
                ++i;
            } else {
                const bool streamed = take && depth == 2 && rootIsObject;
                for (;;) {
                    JsonValue item;
                    const size_t held = values;
                    if (!Value(&item))
                        return false;
                    if (streamed) {
                        if (!(*take)(listKey, item))
                            return Fail("refused");
                        values = held; // handed over, no longer held
                    } else {
                        v->items.push_back(std::move(item));
                    }
                    Space();
                    if (i < s.size() && s[i] == ',') {
                        ++i;
                        continue;
                    }
                    if (i < s.size() && s[i] == ']') {
                        ++i;
                        break;
                    }
                    return Fail("expected ',' or ']'");
                }
            }
        } else if (c == '"') {
            v->kind = JsonValue::STRING;
            ok = String(&v->text);
        } else if (c == 't') {
            v->kind = JsonValue::BOOL;
            v->boolean = true;
            ok = Literal("true");
        } else if (c == 'f') {
            v->kind = JsonValue::BOOL;
            ok = Literal("false");
        } else if (c == 'n') {
            ok = Literal("null");
        } else {
            v->kind = JsonValue::NUMBER;
            ok = Number(&v->number);
        }
        --depth;
        return ok;
    }
};
} // namespace

bool JsonParse(const std::string &doc, JsonValue *out, std::string *error) {
    return JsonParseLists(doc, SIZE_MAX, nullptr, out, error);
}

bool JsonParseUtf8(const std::string &doc, JsonValue *out, std::string *error, size_t *errorOffset) {
    Parser p{doc};
    p.utf8 = true;
    *out = JsonValue();
    bool ok = p.Value(out);
    if (ok) {
        p.Space();
        if (p.i != doc.size())
            ok = p.Fail("text after the document");
    }
    if (!ok) {
        if (error)
            *error = p.error;
        if (errorOffset)
            *errorOffset = p.i;
    }
    return ok;
}

bool JsonParseLists(const std::string &doc, size_t maxValues, const JsonTake *take, JsonValue *out,
                    std::string *error) {
    Parser p{doc};
    p.take = take;
    p.maxValues = maxValues;
    *out = JsonValue();
    bool ok = p.Value(out);
    if (ok) {
        p.Space();
        if (p.i != doc.size())
            ok = p.Fail("text after the document");
    }
    if (!ok && error)
        *error = p.error;
    return ok;
}

std::string JsonQuote(const std::string &bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char buf[8];
                snprintf(buf, sizeof buf, "\\u%04x", CP_CodePointOfByte(c));
                out += buf;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    return out + "\"";
}
