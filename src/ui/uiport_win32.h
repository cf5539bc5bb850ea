// The UI port over real message boxes owned by the main window.
#pragma once

#include "platform/uiport.h"

class Win32UiPort : public UiPort {
  public:
    int ShowMessage(const char *text, const char *caption, unsigned style) override;
    void PostQuit(int exitCode) override;
};
