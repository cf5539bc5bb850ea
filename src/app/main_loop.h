// The program's message loop: every key press and mouse movement counts as
// activity for the inactivity time-out, a key press also regrows a shrunk quick
// window, and after every message the time-out timer is armed when it should run.
#pragma once

#include <windows.h>

// Called on every key press before it is dispatched (the quick window's regrow).
typedef void (*MA_KeyDownHook)();
void MA_SetKeyDownHook(MA_KeyDownHook hook);

// The steps around one message, as the loop runs them.
void MA_BeforeDispatch(const MSG *msg);
void MA_AfterDispatch();
// Runs until the quit message; answers its exit code.
int MA_RunMessageLoop();

// Gives the timers and the allocator their part of the safe store: whether a
// safe is active, closing it with a write-back, writing it when memory runs out.
void MA_InstallStoreHooks();
