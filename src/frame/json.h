// A small JSON reader and writer (the export and import of a safe).
// Safe texts are single-byte ANSI; in JSON every byte of 0x80 and above travels
// as the code point of the same number (Latin-1), so a text comes back byte for byte.
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

// Writing: texts are quoted and escaped, bytes above 0x7F written as \u00XX.
std::string JsonQuote(const std::string &bytes);
