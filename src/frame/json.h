// A small JSON reader and writer (the export and import of a safe).
// Safe texts are single-byte ANSI in Windows-1252; in JSON every byte of 0x80 and
// above travels as its Windows-1252 character (the five bytes the code page
// leaves undefined as the code point of the same number), so a text comes back
// byte for byte and reads right in any JSON tool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct JsonValue {
    enum Kind { NUL, BOOL, NUMBER, STRING, ARRAY, OBJECT } kind = NUL;
    bool boolean = false;
    double number = 0;
    std::string text; // STRING: the bytes
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members; // in document order

    const JsonValue *Get(const std::string &key) const;
};

// Parses a whole document; false with a message naming the position on error.
bool JsonParse(const std::string &doc, JsonValue *out, std::string *error);

// The same for the files of other programs: texts stay UTF-8 as they are (a
// \u escape becomes its UTF-8, surrogate pairs joined), any character allowed;
// *errorOffset is where the parse stopped.
bool JsonParseUtf8(const std::string &doc, JsonValue *out, std::string *error, size_t *errorOffset);

// Takes one item of a list of the top-level object (the list's key, the item);
// false stops the parse.
typedef std::function<bool(const std::string &key, const JsonValue &item)> JsonTake;
// Parses as JsonParse does, but hands every item of the top-level object's lists
// to take as soon as it is read and keeps none of them (those lists stay empty
// in *out), and refuses a document that would hold more than maxValues values
// at once: memory follows the largest item, not the document.
bool JsonParseLists(const std::string &doc, size_t maxValues, const JsonTake *take, JsonValue *out,
                    std::string *error);

// Writing: texts are quoted and escaped, bytes above 0x7E written as \uXXXX of
// their character.
std::string JsonQuote(const std::string &bytes);
