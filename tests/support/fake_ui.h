// A scripted UI port for tests: records every message box and quit request,
// and answers message boxes from a queue the test sets up (IDOK/IDYES when empty).
#pragma once

#include "platform/uiport.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

struct InsertedTreeItem {
    TREEHANDLE parent;
    std::string text;
    TREEHANDLE item;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned style;
};

class FakeUi : public UiPort {
  public:
    FakeUi() { UI_SetPort(this); }
    ~FakeUi() override { UI_SetPort(nullptr); }
    int ShowMessage(const char *text, const char *caption, unsigned style) override {
        shown.push_back({text ? text : "", caption ? caption : "", style});
        if (!answers.empty()) {
            int a = answers.front();
            answers.pop_front();
            return a;
        }
        return UiPort::ShowMessage(text, caption, style);
    }
    void PostQuit(int exitCode) override { quits.push_back(exitCode); }
    // Window rectangles the test sets up; a window without one has none.
    int WindowRect(UI_WINDOW window, UI_RECT *rect) override {
        auto it = rects.find(window);
        if (it == rects.end())
            return -1;
        *rect = it->second;
        return 0;
    }
    int SplitPosition() override { return splitPosition; }
    // Running timers by id with their periods; every start is also logged.
    void StartTimer(unsigned id, uint32_t ms) override {
        timers[id] = ms;
        timerStarts.push_back({id, ms});
    }
    void StopTimer(unsigned id) override { timers.erase(id); }
    void HideToTray() override { ++trayHides; }
    // Field items get made-up handles 0x1000, 0x1001, ...
    TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) override {
        TREEHANDLE item = reinterpret_cast<TREEHANDLE>(static_cast<uintptr_t>(0x1000 + fieldItems.size()));
        fieldItems.push_back({hCard, text ? text : "", item});
        return item;
    }
    // Measures textWidthPerChar pixels a character.
    void CloseMainWindow() override { ++closeRequests; }
    int closeRequests = 0;
    int CardListTextWidth(const char *text) override {
        measured.push_back(text ? text : "");
        return textWidthPerChar * static_cast<int>(text ? strlen(text) : 0);
    }

    std::vector<ShownMessage> shown;
    std::vector<int> quits;
    std::deque<int> answers;
    std::map<UI_WINDOW, UI_RECT> rects;
    int splitPosition = 0;
    std::map<unsigned, uint32_t> timers;
    std::vector<std::pair<unsigned, uint32_t>> timerStarts;
    int trayHides = 0;
    std::vector<InsertedTreeItem> fieldItems;
    std::vector<std::string> measured;
    int textWidthPerChar = 7;
};
