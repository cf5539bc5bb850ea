// A desktop for tests: icons with labels and places, installed in the seam for
// as long as the object lives. It counts what the code under test does to it and
// can refuse to be reached as the real one does.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

struct FakeIcon {
    std::string text;
    int32_t x, y;
};

class FakeDesktop {
  public:
    explicit FakeDesktop(std::vector<FakeIcon> start = {}) : icons(std::move(start)) {
        current = this;
        PL_SetDesktop(&kImpl);
    }
    ~FakeDesktop() {
        PL_SetDesktop(nullptr);
        current = nullptr;
    }
    FakeDesktop(const FakeDesktop &) = delete;
    FakeDesktop &operator=(const FakeDesktop &) = delete;

    std::vector<FakeIcon> icons;
    uint32_t width = 1920, height = 1080;
    int failure = 0;         // PL_DESKTOP_NO_PROCESS or PL_DESKTOP_NO_ACCESS: reaching it fails
    uint32_t failureError = 0; // the system's error number of that failure
    int opens = 0, closes = 0, moves = 0;
    bool isOpen = false;
    int callsWhileClosed = 0; // item calls made without reaching the desktop first
    int callsOutOfRange = 0;  // item calls for items the desktop does not have

  private:
    static inline FakeDesktop *current = nullptr;

    static bool Usable(int item) {
        if (!current->isOpen) {
            ++current->callsWhileClosed;
            return false;
        }
        if (item >= 0 && static_cast<size_t>(item) < current->icons.size())
            return true;
        ++current->callsOutOfRange;
        return false;
    }
    static int Open(int *why) {
        if (current->failure) {
            *why = current->failure;
            PL_SetLastError(current->failureError);
            return -1;
        }
        ++current->opens;
        current->isOpen = true;
        return 0;
    }
    static void Close() {
        ++current->closes;
        current->isOpen = false;
    }
    static int Count() {
        if (!current->isOpen) {
            ++current->callsWhileClosed;
            return 0;
        }
        return static_cast<int>(current->icons.size());
    }
    static int Text(int item, char *buf, uint32_t size) {
        if (!Usable(item))
            return -1;
        snprintf(buf, size, "%s", current->icons[static_cast<size_t>(item)].text.c_str());
        return 0;
    }
    static int GetPos(int item, int32_t *x, int32_t *y) {
        if (!Usable(item))
            return -1;
        *x = current->icons[static_cast<size_t>(item)].x;
        *y = current->icons[static_cast<size_t>(item)].y;
        return 0;
    }
    static int SetPos(int item, int32_t x, int32_t y) {
        if (!Usable(item))
            return -1;
        ++current->moves;
        current->icons[static_cast<size_t>(item)].x = x;
        current->icons[static_cast<size_t>(item)].y = y;
        return 0;
    }
    static void Screen(uint32_t *w, uint32_t *h) {
        *w = current->width;
        *h = current->height;
    }
    static constexpr PL_DESKTOP_IMPL kImpl = {Open, Close, Count, Text, GetPos, SetPos, Screen};
};

} // namespace testsupport
