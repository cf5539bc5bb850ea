#include "support/safe_builder.h"

#include "crypto/data_envelope.h"
#include "frame/memory.h"

#include <cstring>

namespace testsupport {

namespace {
struct Out {
    std::string b;
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<char>(v >> (8 * i)));
    }
    void text(const std::string &s, size_t width) { // zero-padded, cut to width
        std::string t = s.substr(0, width);
        t.resize(width, '\0');
        b += t;
    }
    void raw(const std::string &s) { b += s; }
};

std::string Envelope(const std::string &data, const std::string &password) {
    CRYPTRESULT r{};
    if (docryptMyData(data.data(), static_cast<uint32_t>(data.size()), password.c_str(), password.empty() ? 0 : 1,
                      &r) != 0)
        return "";
    std::string out(r.lpData, r.nLength);
    T_Free("TS_F_00", r.lpData);
    return out;
}

void TextBlock(Out &o, const std::string &texts, const std::string &password) {
    std::string env = Envelope(texts, password);
    o.u32(static_cast<uint32_t>(env.size()));
    o.u32(static_cast<uint32_t>(texts.size()));
    o.raw(env);
}

bool Old(const SafeContents &s, uint32_t lastOldMinor) {
    return s.major * 100 + s.minor < 111 && s.minor >= 1 && s.minor <= lastOldMinor;
}
} // namespace

SafeContents Small(const std::string &password, const std::string &folder) {
    SafeContents s;
    s.password = password;
    s.folders = {{1, 1, folder, ""}};
    s.fields = {{1, 0, 1, "User", 0, 40, 0}};
    s.cards = {{1, 1, 1, "Card", ""}};
    s.contents = {{1, 0, "text of " + folder}};
    return s;
}

std::string BuildSafe(const SafeContents &s, std::vector<size_t> *offsets) {
    Out o;
    auto mark = [&] {
        if (offsets)
            offsets->push_back(o.b.size());
    };
    const bool pw = !s.password.empty();
    std::string control("ORVSAFE\0", 8);
    control.push_back(static_cast<char>(s.reserved));
    control.push_back(static_cast<char>(s.reserved >> 8));
    const std::string sealWith = s.plainEnvelopes ? std::string() : s.password;
    std::string env = Envelope(control, sealWith);

    mark();
    o.u32(pw ? 1 : 0);
    o.u32(s.major);
    o.u32(s.minor);
    o.u32(static_cast<uint32_t>(env.size()));
    mark();
    o.raw(env);

    mark();
    for (size_t i = 0; i < s.folders.size(); ++i) {
        const auto &f = s.folders[i];
        uint32_t next = i + 1 < s.folders.size() ? 0x00ABCDEF : 0;
        o.u32(0x11111111); // a tree handle as older programs stored it
        o.u32(f.id);
        if (Old(s, 5)) {
            o.text(f.name, 25);
            o.text(f.icon, 27);
            o.u32(next);
        } else if (Old(s, 8)) {
            o.u32(f.order);
            o.text(f.name, 25);
            o.text(f.icon, 27);
            o.u32(f.expanded);
            o.u32(next);
        } else {
            o.u32(f.order);
            o.text(f.name, 25);
            o.text(f.icon, 25);
            o.text("", 2);
            o.u32(f.expanded);
            o.u32(f.category);
            o.u32(next);
        }
    }
    mark();
    for (size_t i = 0; i < s.fields.size(); ++i) {
        const auto &f = s.fields[i];
        uint32_t next = i + 1 < s.fields.size() ? 1 : 0;
        o.u32(f.folder);
        o.u32(f.index);
        if (!Old(s, 10))
            o.u32(f.order);
        o.text(f.name, 28);
        o.u32(f.type);
        o.u32(f.length);
        o.u32(f.drag);
        o.u32(next);
    }
    mark();
    for (size_t i = 0; i < s.cards.size(); ++i) {
        const auto &c = s.cards[i];
        uint32_t next = i + 1 < s.cards.size() ? 1 : 0;
        o.u32(0x22222222);
        o.u32(c.folder);
        o.u32(c.id);
        if (Old(s, 5)) {
            o.text(c.name, 50);
            o.text(c.icon, 26);
            o.u32(next);
        } else if (Old(s, 8)) {
            o.u32(c.order);
            o.text(c.name, 50);
            o.text(c.icon, 26);
            o.u32(c.expanded);
            o.u32(next);
        } else {
            o.u32(c.order);
            o.text(c.name, 50);
            o.text(c.icon, 25);
            o.text("", 1);
            o.u32(c.expanded);
            o.u32(c.category);
            o.u32(next);
        }
    }
    mark();
    std::string texts;
    for (size_t i = 0; i < s.contents.size(); ++i) {
        const auto &c = s.contents[i];
        uint32_t len = c.storedLength >= 0 ? static_cast<uint32_t>(c.storedLength) : static_cast<uint32_t>(c.text.size());
        o.u32(0x33333333);
        o.u32(c.card);
        o.u32(c.index);
        o.u32(len);
        o.u32(i + 1 < s.contents.size() ? 1 : 0);
        o.u32(0x44444444);
        if (len == 0)
            continue;
        if (pw)
            texts += c.text + std::string(1, '\0');
        else
            o.raw(c.text.substr(0, len));
    }
    if (pw && !s.cards.empty() && s.contentTextBlock)
        TextBlock(o, texts, sealWith);
    mark();
    if (!s.cardFields.empty()) {
        o.raw("FTC_ID");
        for (size_t i = 0; i < s.cardFields.size(); ++i) {
            const auto &f = s.cardFields[i];
            o.u32(f.card);
            o.u32(f.index);
            o.u32(f.order);
            o.text(f.name, 28);
            o.u32(f.type);
            o.u32(f.length);
            o.u32(f.drag);
            o.u32(i + 1 < s.cardFields.size() ? 1 : 0);
        }
    }
    mark();
    if (!s.notes.empty()) {
        o.raw("NOTIZ_ID");
        std::string noteTexts;
        for (size_t i = 0; i < s.notes.size(); ++i) {
            const auto &n = s.notes[i];
            uint32_t size = n.text.empty() ? 0 : static_cast<uint32_t>(n.text.size() + 1);
            o.u32(0);
            o.u32(n.background);
            o.u32(0x55555555);
            o.u32(0x66666666);
            o.u32(static_cast<uint32_t>(n.left));
            o.u32(static_cast<uint32_t>(n.top));
            o.u32(static_cast<uint32_t>(n.right));
            o.u32(static_cast<uint32_t>(n.bottom));
            o.u32(size);
            o.u32(0x77777777);
            o.text(n.alarmDate, 6);
            o.text(n.alarmTime, 4);
            o.text("", 2);
            o.u32(n.textColour);
            o.text("", 12);
            o.u32(i + 1 < s.notes.size() ? 1 : 0);
            if (size == 0)
                continue;
            if (pw)
                noteTexts += n.text + std::string(2, '\0');
            else
                o.raw(n.text + std::string(1, '\0'));
        }
        if (pw && !noteTexts.empty())
            TextBlock(o, noteTexts, sealWith);
    }
    mark();
    if (!s.profiles.empty()) {
        for (size_t i = 0; i < s.profiles.size(); ++i) {
            const auto &p = s.profiles[i];
            o.text("DESKTOP_ID", 12);
            o.u32(p.id);
            o.u32(p.width);
            o.u32(p.height);
            o.text(p.name, 41);
            o.text(p.computer, 31);
            o.text(p.created, 8);
            o.u32(i + 1 < s.profiles.size() ? 1 : 0);
        }
        std::string labels;
        for (size_t i = 0; i < s.icons.size(); ++i) {
            const auto &c = s.icons[i];
            o.u32(c.index);
            o.u32(c.profile);
            o.u32(static_cast<uint32_t>(c.label.size()));
            o.u32(static_cast<uint32_t>(c.x));
            o.u32(static_cast<uint32_t>(c.y));
            o.u32(0x88888888);
            o.u32(i + 1 < s.icons.size() ? 1 : 0);
            if (c.label.empty())
                continue;
            if (pw)
                labels += c.label + std::string(1, '\0');
            else
                o.raw(c.label);
        }
        if (pw && !labels.empty())
            TextBlock(o, labels, s.password);
    }
    mark();
    return o.b;
}

} // namespace testsupport
