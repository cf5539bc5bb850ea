// The UI port over the program's windows: message boxes owned by the main
// window, the safe dialogs, the tree and the main window's state.
#pragma once

#include "platform/uiport.h"

class Win32UiPort : public UiPort {
  public:
    int ShowMessage(const char *text, const char *caption, unsigned style) override;
    void PostQuit(int exitCode) override;
    int WindowRect(UI_WINDOW window, UI_RECT *rect) override;
    int SplitPosition() override;
    void StartTimer(unsigned id, uint32_t ms) override;
    void StopTimer(unsigned id) override;
    void HideToTray() override;
    TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) override;
    int CardListTextWidth(const char *text) override;
    void CloseMainWindow() override;
    void RebuildTree() override;
    void EnableCommand(unsigned id, int enable) override;
    void FocusMainWindow() override;
    void ResetRightPane() override;
    void SelectTreeItem(TREEHANDLE item) override;
    void ShowCounts() override;
    void SafeEvent(UI_SAFE_EVENT event, const char *path) override;
    int AskPassword(const char *safeName, char *password, unsigned size) override;
    void PumpAndWait(uint32_t ms) override;
    void ShowMainWindow() override;
    void RedisplayCardField(uint32_t fieldIndex) override;
};
