// The program's message loop. Every message first counts for the inactivity
// time-out (a key press or mouse movement is activity, and regrows a shrunk
// quick window); then the main window's accelerators, the keyboard of the
// modeless windows (Tab, Enter, Escape) or the ordinary translation and
// dispatch; after it the time-out timer is armed when it should run.
#pragma once

#include <windows.h>

// Called on every key press and mouse movement before it is handled (the
// quick window's regrow).
typedef void (*MA_InputHook)();
void MA_SetInputHook(MA_InputHook hook);

// Input in any window of the thread counts for the time-out, in the loops of
// modal dialogs, message boxes and property sheets too: a message hook of the
// thread sees every message any of those loops takes. Installed once at start;
// removing it is for tests.
void MA_WatchInput();
void MA_StopWatchingInput();

// The steps of one message, as the loop runs them (MA_RouteMessage between
// the two: ui/message_routing.h).
void MA_BeforeDispatch(const MSG *msg);
void MA_AfterDispatch();
// Runs until the quit message; answers its exit code.
int MA_RunMessageLoop();

// Gives the timers and the allocator their part of the safe store: whether a
// safe is active, closing it with a write-back, writing it when memory runs out.
void MA_InstallStoreHooks();
