// Builds safe files byte by byte from a description, in any format version from
// 1.1 to 1.11, with or without a password: the sample files for the reader,
// including the older versions no program here writes and damaged files.
// Record layouts are spelled out here on their own, independently of the
// program's record images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct SafeContents {
    uint32_t major = 1, minor = 11;
    std::string password; // empty: the safe has none
    uint32_t reserved = 0; // SAFECONTROL.nReserved

    struct Folder {
        uint32_t id, order;
        std::string name, icon;
        uint32_t expanded = 0, category = 0;
    };
    struct Field {
        uint32_t folder, index, order;
        std::string name;
        uint32_t type = 0, length = 50, drag = 0;
    };
    struct Card {
        uint32_t folder, id, order;
        std::string name, icon;
        uint32_t expanded = 0, category = 0;
    };
    struct Content {
        uint32_t card, index;
        std::string text;
        int64_t storedLength = -1; // -1: the text's length
    };
    struct CardField {
        uint32_t card, index, order;
        std::string name;
        uint32_t type = 0, length = 50, drag = 0;
    };
    struct Note {
        std::string text; // stored with its zero; "" for a note without text
        uint32_t background = 0x0085FFFF, textColour = 0;
        int32_t left = 10, top = 20, right = 210, bottom = 170;
        std::string alarmDate, alarmTime; // "DDMMYY", "HHMM" or empty
    };
    struct Profile {
        uint32_t id;
        std::string name, computer, created; // created: DDMMYYYY
        uint32_t width = 1280, height = 1024;
    };
    struct Icon {
        uint32_t index, profile;
        std::string label;
        int32_t x, y;
    };

    std::vector<Folder> folders;
    std::vector<Field> fields;
    std::vector<Card> cards;
    std::vector<Content> contents;
    std::vector<CardField> cardFields;
    std::vector<Note> notes;
    std::vector<Profile> profiles;
    std::vector<Icon> icons;
    bool contentTextBlock = true; // with a password: write the contents' text block
    bool plainEnvelopes = false;  // with a password: envelopes that do not ask for it (planted contents)
};

// The file's bytes; `offsets` (if given) receives the offset where each section
// begins, in file order: header, control, folders, fields, cards, contents,
// card fields, notes, desktop, end.
std::string BuildSafe(const SafeContents &spec, std::vector<size_t> *offsets = nullptr);

// A safe of one folder with one card whose one field holds "text of <folder>".
SafeContents Small(const std::string &password, const std::string &folder);

} // namespace testsupport
