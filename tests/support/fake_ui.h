// A scripted UI port for tests: records every message box and quit request,
// and answers message boxes from a queue the test sets up (IDOK/IDYES when empty).
#pragma once

#include "platform/uiport.h"

#include <deque>
#include <string>
#include <vector>

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

    std::vector<ShownMessage> shown;
    std::vector<int> quits;
    std::deque<int> answers;
};
