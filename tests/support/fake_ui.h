// Scripted stand-ins for whoever uses the core: the UI port (message boxes
// answered from a queue, IDOK/IDYES when it is empty; password prompts; the
// progress window), the main window's views, the views of the other windows
// and a listener to the safe store. Each records what the core asked of it.
// FakeUi is all of them at once, registered for as long as it lives, after the
// tools' own listeners, as in the program.
#pragma once

#include "model/categories.h"
#include "model/notes_list.h"
#include "model/search.h"
#include "platform/uiport.h"
#include "store/safe_lifecycle.h"
#include "tools/desktop_icons.h"
#include "tools/drop_window.h"
#include "tools/recover_list.h"
#include "tools/safe_listeners.h"

#include <cstdint>
#include <cstring>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct InsertedTreeItem {
    TREEHANDLE parent;
    std::string text;
    TREEHANDLE item;
};

struct SearchRow {
    uint32_t kind;
    std::string text;
    uint32_t index;
};

// One call of a note window method: what, for which note, a text and two numbers.
struct NoteCall {
    std::string call; // "make", "cascade", "load", "show", "hide", "destroy", "title", "background"
    NOTIZ *note;
    std::string text;
    int64_t a, b;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned style;
};

class FakePort : public UiPort {
  public:
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
    // Answers the password prompts from `passwords` in turn; an empty queue cancels.
    int AskPassword(const char *safeName, char *password, unsigned size) override {
        passwordPrompts.push_back(safeName ? safeName : "");
        if (passwords.empty())
            return UI_IDCANCEL;
        std::string pw = passwords.front();
        passwords.pop_front();
        snprintf(password, size, "%s", pw.c_str());
        return UI_IDOK;
    }
    // A progress window the test opens by setting progressShown.
    bool ProgressShown() override { return progressShown; }
    void ProgressRange(int max) override { progressMax = max; }
    void ProgressStep() override { ++progressSteps; }
    void ProgressText(const char *text) override { progressTexts.push_back(text ? text : ""); }
    void ProgressClose() override {
        progressShown = false;
        ++progressCloses;
    }
    // Opened with a text, it then counts as shown.
    void ProgressOpen(const char *text) override {
        progressShown = true;
        progressOpens.push_back(text ? text : "");
    }
    void PumpAndWait(uint32_t ms) override {
        pumpWaits.push_back(ms);
        if (onPump)
            onPump();
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::vector<int> quits;
    std::vector<std::string> passwordPrompts;
    std::deque<std::string> passwords;
    bool progressShown = false;
    int progressMax = 0, progressSteps = 0, progressCloses = 0;
    std::vector<std::string> progressTexts, progressOpens;
    std::vector<uint32_t> pumpWaits;
    std::function<void()> onPump; // what the user does while the pump runs
};

class FakeMainView : public MainView, public PaneView {
  public:
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
    void CloseMainWindow() override { ++closeRequests; }
    void FocusMainWindow() override { ++mainFocused; }
    void ShowMainWindow() override { ++mainWindowShows; }
    // Commands: the last state of each id.
    void EnableCommand(unsigned id, int enable) override { commands[id] = enable; }
    void ShowCounts() override { ++countUpdates; }
    // Field items get made-up handles 0x1000, 0x1001, ...
    TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) override {
        TREEHANDLE item = reinterpret_cast<TREEHANDLE>(static_cast<uintptr_t>(0x1000 + fieldItems.size()));
        fieldItems.push_back({hCard, text ? text : "", item});
        return item;
    }
    void RebuildTree() override { ++treeRebuilds; }
    void ShowFolderCards(TREEHANDLE) override {}
    void SelectTreeItem(TREEHANDLE item) override { selectedItems.push_back(item); }
    void ResetRightPane() override { ++rightPaneResets; }
    // Measures textWidthPerChar pixels a character.
    int CardListTextWidth(const char *text) override {
        measured.push_back(text ? text : "");
        return textWidthPerChar * static_cast<int>(text ? strlen(text) : 0);
    }
    void RedisplayCardField(uint32_t fieldIndex) override { redisplayedFields.push_back(fieldIndex); }
    std::map<UI_WINDOW, UI_RECT> rects;
    int splitPosition = 0;
    std::map<unsigned, uint32_t> timers;
    std::vector<std::pair<unsigned, uint32_t>> timerStarts;
    int trayHides = 0, closeRequests = 0, mainFocused = 0, mainWindowShows = 0, countUpdates = 0;
    std::map<unsigned, int> commands;
    std::vector<InsertedTreeItem> fieldItems;
    int treeRebuilds = 0, rightPaneResets = 0;
    std::vector<TREEHANDLE> selectedItems;
    std::vector<std::string> measured;
    int textWidthPerChar = 7;
    std::vector<uint32_t> redisplayedFields;
};

// Note windows: every call in order; made windows get handles 0x2000, 0x2001, ...
class FakeNoteView : public NoteView {
  public:
    int Make(NOTIZ *note) override {
        noteCalls.push_back({"make", note, "", 0, 0});
        if (failNoteWindows)
            return -1;
        note->hWnd = reinterpret_cast<NOTEWINDOW>(static_cast<uintptr_t>(0x2000 + noteWindowsMade++));
        return 0;
    }
    void Cascade(NOTIZ *note, int32_t x, int32_t y) override { noteCalls.push_back({"cascade", note, "", x, y}); }
    void Load(NOTIZ *note) override { noteCalls.push_back({"load", note, "", 0, 0}); }
    int Show(NOTIZ *note, int show) override {
        noteCalls.push_back({show ? "show" : "hide", note, "", 0, 0});
        if (!note->hWnd)
            return -1; // its window was never made
        noteVisible[note] = show != 0;
        return 0;
    }
    void Destroy(NOTIZ *note) override {
        noteCalls.push_back({"destroy", note, "", 0, 0});
        noteVisible.erase(note);
        noteTitles.erase(note);
    }
    void SetTitle(NOTIZ *note, const char *title) override {
        noteCalls.push_back({"title", note, title ? title : "", 0, 0});
        noteTitles[note] = title ? title : "";
    }
    void SetBackground(NOTIZ *note, uint32_t colour) override {
        noteCalls.push_back({"background", note, "", colour, 0});
    }
    std::vector<NoteCall> noteCalls;
    std::map<NOTIZ *, bool> noteVisible;
    std::map<NOTIZ *, std::string> noteTitles;
    int noteWindowsMade = 0;
    bool failNoteWindows = false;
};

// The drop window: shown or not, its list items in the order added, its counts.
class FakeDropView : public DropView {
  public:
    struct DropItem {
        std::string filename;
        int image;
        uint32_t index;
    };
    void Show(int show) override {
        dropWindowShown = show != 0;
        dropWindowCalls.push_back(show);
    }
    // The rows as the list would paint them.
    void ListRows(uint32_t rows) override {
        dropItems.clear();
        dropListClears += rows == 0;
        DW_ROW row;
        for (uint32_t i = 0; i < rows && DW_ListRow(i, &row); ++i)
            dropItems.push_back({row.filename, row.image, row.index});
    }
    std::string SortKey(const char *name) override { return name; }
    void Counts(uint32_t folders, uint32_t files) override { dropCounts.push_back({folders, files}); }
    bool dropWindowShown = false;
    std::vector<int> dropWindowCalls;
    std::vector<DropItem> dropItems;
    int dropListClears = 0;
    std::vector<std::pair<uint32_t, uint32_t>> dropCounts;
};

// The search results window: rows since the last begin, begins, status counts.
class FakeSearchView : public SearchView {
  public:
    void Begin() override {
        ++searchBegins;
        searchRows.clear();
    }
    void Add(uint32_t kind, const char *text, uint32_t index) override {
        searchRows.push_back({kind, text ? text : "", index});
    }
    void Count(uint32_t count) override { searchCounts.push_back(count); }
    int searchBegins = 0;
    std::vector<SearchRow> searchRows;
    std::vector<uint32_t> searchCounts;
};

// The recover dialog: each run takes the next scripted action (none left: cancelled).
class FakeRecoverView : public RecoverView {
  public:
    void Run() override {
        ++recoverDialogs;
        if (recoverActions.empty()) {
            BW_RecoverDialogCancel();
            return;
        }
        auto act = recoverActions.front();
        recoverActions.pop_front();
        act();
    }
    int recoverDialogs = 0;
    std::deque<std::function<void()>> recoverActions;
};

// The profile dialog: each run takes the next scripted choice (cancelled when
// none is left); a choice may work the dialog through the DT_ProfileDialog calls.
class FakeProfileView : public ProfileView {
  public:
    int Choose(uint32_t mode, uint32_t *profileId) override {
        profileModes.push_back(mode);
        if (profileDialogs.empty())
            return -1;
        auto choice = profileDialogs.front();
        profileDialogs.pop_front();
        return choice(mode, profileId);
    }
    std::vector<uint32_t> profileModes;
    std::deque<std::function<int(uint32_t mode, uint32_t *profileId)>> profileDialogs;
};

class FakeFilterView : public CategoryFilterView {
  public:
    void Fill() override { ++filterFills; }
    int filterFills = 0;
};

class FakeSafeListener : public SafeListener {
  public:
    void SafeEvent(SW_EVENT event, const char *path) override { safeEvents.push_back({event, path ? path : ""}); }
    std::vector<std::pair<SW_EVENT, std::string>> safeEvents;
};

class FakeUi : public FakePort,
               public FakeMainView,
               public FakeNoteView,
               public FakeDropView,
               public FakeSearchView,
               public FakeRecoverView,
               public FakeProfileView,
               public FakeFilterView,
               public FakeSafeListener {
  public:
    FakeUi() {
        UI_SetPort(this);
        UI_SetMainView(this);
        UI_SetPaneView(this);
        NW_SetView(this);
        DW_SetView(this);
        SE_SetView(this);
        BW_SetRecoverView(this);
        DT_SetProfileView(this);
        CC_SetFilterView(this);
        TL_InstallSafeListeners();
        SW_AddListener(this);
    }
    ~FakeUi() override {
        SW_RemoveListener(this);
        CC_SetFilterView(nullptr);
        DT_SetProfileView(nullptr);
        BW_SetRecoverView(nullptr);
        SE_SetView(nullptr);
        DW_SetView(nullptr);
        NW_SetView(nullptr);
        UI_SetPaneView(nullptr);
        UI_SetMainView(nullptr);
        UI_SetPort(nullptr);
    }
};
