// Every dialog of the resource scripts, read statement by statement, against
// what a user without a mouse or with a screen reader needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {
struct Control {
    std::string kind, text, rest; // rest: the id and styles after the text
    bool Has(const char *s) const { return rest.find(s) != std::string::npos; }
    bool Label() const { return kind.find("TEXT") == 1 && !text.empty(); }
    bool Input() const { return kind == "EDITTEXT" || kind == "COMBOBOX" || kind == "LISTBOX" || (kind == "CONTROL" && Has("WS_TABSTOP")); }
    bool Button() const { return kind.find("PUSHBUTTON") != std::string::npos; }
    char Mnemonic() const {
        size_t at = text.find('&');
        return at != std::string::npos && at + 1 < text.size() && std::isalnum(static_cast<unsigned char>(text[at + 1])) ? static_cast<char>(std::toupper(text[at + 1])) : 0;
    }
};
struct Dialog {
    std::string name;
    std::vector<Control> controls;
    bool page = false; // a page of a sheet, whose buttons are the sheet's
};

std::string ResFile(const std::string &name) {
    std::string path = std::string(ORV_SOURCE_DIR) + "/res/" + name;
#ifdef _WIN32
    path = "Z:" + path; // the Unix root under Wine
#endif
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The scripts orvsafe.rc includes, their dialogs and statements (a line that
// starts with no statement word continues the one before it).
std::vector<Dialog> ReadDialogs() {
    std::vector<Dialog> dialogs;
    std::smatch m;
    const std::regex header("^(\\w+) (DIALOGEX|MENU|ACCELERATORS)"), statement("\\s*([A-Z]+)\\s+(\"([^\"]*)\",)?(.*)"),
        kinds("[LRC]TEXT|EDITTEXT|CONTROL|ICON|\\w*BUTTON|\\w*BOX");
    std::string top = ResFile("orvsafe.rc");
    const std::regex include("#include \"(\\w+\\.rc)\"");
    for (std::sregex_iterator inc(top.begin(), top.end(), include), end; inc != end; ++inc) {
        std::istringstream script(ResFile((*inc)[1]));
        bool dialog = false, inside = false;
        for (std::string line; std::getline(script, line);) {
            if (std::regex_search(line, m, header)) {
                if ((dialog = m[2] == "DIALOGEX"))
                    dialogs.push_back({m[1], {}});
            } else if (dialog && line.rfind("STYLE", 0) == 0)
                dialogs.back().page = line.find("WS_CHILD") != std::string::npos;
            else if (line == "BEGIN" || line == "END")
                inside = line == "BEGIN" && dialog;
            else if (inside && std::regex_match(line, m, statement) &&
                     std::regex_match(m.str(1), kinds))
                dialogs.back().controls.push_back({m[1], m[3], m[4]});
            else if (inside && !dialogs.back().controls.empty())
                dialogs.back().controls.back().rest += line;
        }
    }
    return dialogs;
}
} // namespace

TEST(DialogResources, EveryDialogKeepsTheKeyboardAndScreenReaderRules) {
    using Rule = std::function<bool(const std::vector<Control> &, size_t, bool)>; // a control, of a page?
    const struct {
        const char *rule;
        Rule holds;
    } rules[] = {
        {"an input follows its label", [](auto &c, size_t i, bool) { return !c[i].Input() || (i > 0 && c[i - 1].Label()); }},
        {"a shown label of an input has a mnemonic",
         [](auto &c, size_t i, bool) { return !(i + 1 < c.size() && c[i + 1].Input() && c[i].Label()) || c[i].Has("NOT WS_VISIBLE") || c[i].Mnemonic(); }},
        {"no two controls share a mnemonic",
         [](auto &c, size_t i, bool) {
             for (size_t j = 0; j < i; ++j)
                 if (c[i].Mnemonic() && c[j].Mnemonic() == c[i].Mnemonic())
                     return false;
             return true;
         }},
        {"no control leaves the tab order", [](auto &c, size_t i, bool) { return !c[i].Has("NOT WS_TABSTOP") && (c[i].kind != "LISTBOX" || c[i].Has("WS_TABSTOP")); }},
        {"Enter has one default button",
         [](auto &c, size_t i, bool page) { return i > 0 || page || std::none_of(c.begin(), c.end(), [](auto &b) { return b.Button(); }) || std::count_if(c.begin(), c.end(), [](auto &b) { return b.kind == "DEFPUSHBUTTON"; }) == 1; }},
        {"Escape cancels, or the default is OK",
         [](auto &c, size_t i, bool) {
             return c[i].kind != "DEFPUSHBUTTON" || c[i].Has("IDOK") ||
                    std::any_of(c.begin(), c.end(), [](auto &b) { return b.Button() && b.Has("IDCANCEL"); });
         }},
    };
    std::vector<Dialog> dialogs = ReadDialogs();
    ASSERT_GE(dialogs.size(), 30u);
    size_t inputs = 0;
    for (const Dialog &d : dialogs)
        for (size_t i = 0; i < d.controls.size(); ++i) {
            inputs += d.controls[i].Input();
            for (const auto &r : rules)
                EXPECT_TRUE(r.holds(d.controls, i, d.page)) << d.name << ", control " << i << " (" << d.controls[i].kind << " \"" << d.controls[i].text << "\"): " << r.rule;
        }
    EXPECT_GE(inputs, 40u);
}
