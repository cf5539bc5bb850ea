// The parts of the seam that are the same on every system: replaceable
// clocks, desktop and shell, and the heap.
#include "platform/platform.h"
#include "platform/platform_os.h"

#include <cstdlib>
#include <cstring>

namespace {
PL_LocalTimeFn g_localTime = nullptr;
PL_TickFn g_tick = nullptr;
PL_FreeObserverFn g_freeObserver = nullptr;
const PL_DESKTOP_IMPL g_osDesktop = {PL_OsDesktopOpen,
                                     PL_OsDesktopClose,
                                     PL_OsDesktopItemCount,
                                     PL_OsDesktopItemText,
                                     PL_OsDesktopGetItemPosition,
                                     PL_OsDesktopSetItemPosition,
                                     PL_OsGetScreenSize};
const PL_DESKTOP_IMPL *g_desktop = &g_osDesktop;
const PL_SHELL_IMPL g_osShell = {PL_OsShellOpen,     PL_OsRegOpenKey,     PL_OsRegCloseKey, PL_OsRegGetString,
                                 PL_OsRegSetString,  PL_OsRegDeleteValue, PL_OsPlaySound,   PL_OsTrayIcon};
const PL_SHELL_IMPL *g_shell = &g_osShell;
} // namespace

void *PL_Alloc(size_t size) {
    if (PL_Faulted(PL_FAULT_ALLOC))
        return nullptr;
    return malloc(size ? size : 1);
}

void *PL_AllocZeroed(size_t size) {
    if (PL_Faulted(PL_FAULT_ALLOC))
        return nullptr;
    return calloc(size ? size : 1, 1);
}

void *PL_Realloc(void *block, size_t size) {
    if (PL_Faulted(PL_FAULT_ALLOC))
        return nullptr;
    return realloc(block, size ? size : 1);
}

void PL_SetFreeObserver(PL_FreeObserverFn fn) { g_freeObserver = fn; }

void PL_Free(void *block) {
    if (g_freeObserver && block)
        g_freeObserver(block);
    free(block);
}

void PL_SetLocalTimeSource(PL_LocalTimeFn fn) { g_localTime = fn; }
void PL_SetTickSource(PL_TickFn fn) { g_tick = fn; }

void PL_GetLocalTime(PL_SYSTEMTIME *st) {
    if (g_localTime)
        g_localTime(st);
    else
        PL_OsGetLocalTime(st);
}

uint32_t PL_GetTickCount() { return g_tick ? g_tick() : PL_OsGetTickCount(); }

void PL_SetDesktop(const PL_DESKTOP_IMPL *impl) { g_desktop = impl ? impl : &g_osDesktop; }

int PL_DesktopOpen(int *failure) {
    int dummy = 0;
    if (!failure)
        failure = &dummy;
    *failure = 0;
    return g_desktop->open(failure);
}
void PL_DesktopClose() { g_desktop->close(); }
int PL_DesktopItemCount() { return g_desktop->itemCount(); }

int PL_DesktopItemText(int item, char *buf, uint32_t size) {
    if (!buf || size == 0)
        return -1;
    buf[0] = 0;
    int rc = g_desktop->itemText(item, buf, size);
    buf[size - 1] = 0;
    return rc;
}

int PL_DesktopGetItemPosition(int item, int32_t *x, int32_t *y) { return g_desktop->getItemPosition(item, x, y); }
int PL_DesktopSetItemPosition(int item, int32_t x, int32_t y) { return g_desktop->setItemPosition(item, x, y); }

void PL_GetScreenSize(uint32_t *width, uint32_t *height) {
    *width = *height = 0;
    g_desktop->screenSize(width, height);
}

void PL_SetShell(const PL_SHELL_IMPL *impl) { g_shell = impl ? impl : &g_osShell; }

int PL_ShellOpen(const char *target, const char *parameters, const char *directory) {
    if (!target || !*target)
        return -1;
    return g_shell->open(target, parameters, directory);
}

int PL_RegOpenKey(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key) {
    *key = nullptr;
    if (!path || PL_Faulted(PL_FAULT_REGISTRY))
        return -1;
    if (g_shell->regOpen(root, path, access, key) != 0) {
        *key = nullptr;
        return -1;
    }
    return 0;
}

void PL_RegCloseKey(PL_REGKEY key) {
    if (key)
        g_shell->regClose(key);
}

int PL_RegGetString(PL_REGKEY key, const char *name, char *buf, uint32_t size) {
    if (!key || !name || !buf || size == 0)
        return -1;
    buf[0] = 0;
    int rc = g_shell->regGet(key, name, buf, size);
    buf[size - 1] = 0;
    return rc;
}

int PL_RegSetString(PL_REGKEY key, const char *name, const char *value) {
    return key && name && value ? g_shell->regSet(key, name, value) : -1;
}

int PL_RegDeleteValue(PL_REGKEY key, const char *name) { return key && name ? g_shell->regDelete(key, name) : -1; }

int PL_PlaySound(const char *path) { return path ? g_shell->playSound(path) : -1; }

int PL_TrayIcon(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon) { return icon ? g_shell->trayIcon(action, icon) : -1; }
