// Every dialog of the resource scripts, read statement by statement, against
// what a user without a mouse or with a screen reader needs.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>

namespace {
struct Control {
    std::string kind, text, rest; // rest: the id and styles after the text
    bool Has(const char *s) const { return rest.find(s) != std::string::npos; }
    bool Label() const { return kind.find("TEXT") == 1 && !text.empty(); }
    bool Input() const { return kind == "EDITTEXT" || kind == "COMBOBOX" || kind == "LISTBOX" || (kind == "CONTROL" && Has("WS_TABSTOP")); }
    bool Button() const { return kind.find("PUSHBUTTON") != std::string::npos; }
    int Mnemonic() const {
        size_t at = text.find('&') + 1; // 0 without one
        return at && at < text.size() && std::isalnum(static_cast<unsigned char>(text[at])) ? std::toupper(text[at]) : 0;
    }
};
using Controls = std::vector<Control>;

std::string ResFile(const std::string &name) {
    std::string path = std::string(ORV_SOURCE_DIR) + "/res/" + name;
#ifdef _WIN32
    path = "Z:" + path; // the Unix root under Wine
#endif
    return testsupport::ReadFile(path);
}

// The dialogs of the scripts orvsafe.rc includes, by name; a line that starts
// with no statement word continues the statement before it.
std::vector<std::pair<std::string, Controls>> ReadDialogs() {
    std::vector<std::pair<std::string, Controls>> dialogs;
    const std::regex include("#include \"(\\w+\\.rc)\""), header("^(\\w+) (DIALOGEX|MENU|ACCELERATORS)"),
        statement("\\s*([A-Z]+)\\s+(\"([^\"]*)\",)?(.*)"), kinds("[LRC]TEXT|EDITTEXT|CONTROL|ICON|\\w*BUTTON|\\w*BOX");
    std::string top = ResFile("orvsafe.rc");
    std::smatch m;
    for (std::sregex_iterator inc(top.begin(), top.end(), include), end; inc != end; ++inc) {
        std::istringstream script(ResFile((*inc)[1]));
        bool dialog = false, inside = false;
        for (std::string line; std::getline(script, line);) {
            if (std::regex_search(line, m, header) && (dialog = m[2] == "DIALOGEX"))
                dialogs.push_back({m[1], {}});
            else if (line == "BEGIN" || line == "END")
                inside = line == "BEGIN" && dialog;
            else if (inside && std::regex_match(line, m, statement) && std::regex_match(m.str(1), kinds))
                dialogs.back().second.push_back({m[1], m[3], m[4]});
            else if (inside && !dialogs.back().second.empty())
                dialogs.back().second.back().rest += line;
        }
    }
    return dialogs;
}
} // namespace

TEST(DialogResources, EveryDialogKeepsTheKeyboardAndScreenReaderRules) {
    const struct {
        const char *rule;
        bool (*holds)(const Controls &c, size_t i);
    } rules[] = {
        {"an input follows its label", [](auto &c, size_t i) { return !c[i].Input() || (i > 0 && c[i - 1].Label()); }},
        {"a shown label of an input has a mnemonic",
         [](auto &c, size_t i) { return i + 1 == c.size() || !c[i + 1].Input() || c[i].Has("NOT WS_VISIBLE") || c[i].Mnemonic(); }},
        {"no two controls share a mnemonic",
         [](auto &c, size_t i) {
             return !c[i].Mnemonic() || std::none_of(c.begin(), c.begin() + i, [&](auto &o) { return o.Mnemonic() == c[i].Mnemonic(); });
         }},
        {"no control leaves the tab order",
         [](auto &c, size_t i) { return !c[i].Has("NOT WS_TABSTOP") && (c[i].kind != "LISTBOX" || c[i].Has("WS_TABSTOP")); }},
        {"OK or Cancel comes with one default button",
         [](auto &c, size_t i) {
             return !c[i].Button() || !(c[i].Has("IDOK") || c[i].Has("IDCANCEL")) ||
                    std::count_if(c.begin(), c.end(), [](auto &b) { return b.kind == "DEFPUSHBUTTON"; }) == 1;
         }},
        {"Escape cancels, or the default is OK",
         [](auto &c, size_t i) {
             return c[i].kind != "DEFPUSHBUTTON" || c[i].Has("IDOK") ||
                    std::any_of(c.begin(), c.end(), [](auto &b) { return b.Button() && b.Has("IDCANCEL"); });
         }},
    };
    auto dialogs = ReadDialogs();
    ASSERT_GE(dialogs.size(), 30u);
    size_t inputs = 0;
    for (const auto &[name, c] : dialogs)
        for (size_t i = 0; i < c.size(); ++i) {
            inputs += c[i].Input();
            for (const auto &r : rules)
                EXPECT_TRUE(r.holds(c, i)) << name << ", control " << i << " (" << c[i].kind << " \"" << c[i].text << "\"): " << r.rule;
        }
    EXPECT_GE(inputs, 40u);
}
