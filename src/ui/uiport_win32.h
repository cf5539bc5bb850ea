// The UI port over the program's windows: message boxes owned by the window on
// top, the password dialog, the progress window and the message pump of long work.
#pragma once

#include "platform/uiport.h"

class Win32UiPort : public UiPort {
  public:
    int ShowMessage(const char *text, const char *caption, unsigned style) override;
    void PostQuit(int exitCode) override;
    int AskPassword(const char *safeName, char *password, unsigned size) override;
    bool ProgressShown() override;
    void ProgressRange(int max) override;
    void ProgressStep() override;
    void ProgressText(const char *text) override;
    void ProgressClose() override;
    void ProgressOpen(const char *text) override;
    void PumpAndWait(uint32_t ms) override;
};
