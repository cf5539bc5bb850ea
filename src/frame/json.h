// A small JSON reader and writer (the export and import of a safe).
// Safe texts are single-byte ANSI in Windows-1252; in JSON every byte of 0x80 and
// above travels as its Windows-1252 character (the five bytes the code page
// leaves undefined as the code point of the same number), so a text comes back
// byte for byte and reads right in any JSON tool.
#pragma once

#include <cstdint>
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

// Writing: texts are quoted and escaped, bytes above 0x7E written as \uXXXX of
// their character.
std::string JsonQuote(const std::string &bytes);
