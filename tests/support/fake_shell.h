// The shell, registry, sound and notification area for tests: installed in the
// seam for as long as the object lives, recording what the code under test
// asked for. The registry is a map of "key\\name" to text.
#pragma once

#include "platform/platform.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

class FakeShell {
  public:
    struct Open {
        std::string target, parameters, directory;
    };
    struct Tray {
        PL_TRAY_ACTION action;
        PL_TRAY_ICON icon;
        std::string tip;
    };

    FakeShell() {
        current = this;
        PL_SetShell(&kImpl);
    }
    ~FakeShell() {
        PL_SetShell(nullptr);
        current = nullptr;
    }
    FakeShell(const FakeShell &) = delete;
    FakeShell &operator=(const FakeShell &) = delete;

    std::vector<Open> opens;
    int openResult = 0; // what every open answers: -1 as for a target that is not there
    std::map<std::string, std::string> registry;
    std::vector<std::string> sounds;
    std::function<void()> onSound; // runs as each sound plays
    std::vector<Tray> tray;
    std::vector<std::string> keys; // the keys there are; others cannot be opened without PL_REG_CREATE

    // The targets opened, in order.
    std::vector<std::string> Targets() const {
        std::vector<std::string> t;
        for (const Open &o : opens)
            t.push_back(o.target);
        return t;
    }

  private:
    static inline FakeShell *current = nullptr;
    static std::string Text(const char *s) { return s ? s : ""; }

    static int OpenTarget(const char *target, const char *parameters, const char *directory) {
        current->opens.push_back({Text(target), Text(parameters), Text(directory)});
        return current->openResult;
    }
    static int RegOpen(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key) {
        std::string name = (root == PL_REG_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") + Text(path);
        size_t i = 0;
        while (i < current->keys.size() && current->keys[i] != name)
            ++i;
        if (i == current->keys.size()) {
            if (access != PL_REG_CREATE)
                return -1;
            current->keys.push_back(name);
        }
        *key = reinterpret_cast<PL_REGKEY>(i + 1); // the key's place in keys, from 1
        return 0;
    }
    static void RegClose(PL_REGKEY) {}
    static std::string Value(PL_REGKEY key, const char *name) {
        return current->keys[reinterpret_cast<size_t>(key) - 1] + "\\" + Text(name);
    }
    static int RegGet(PL_REGKEY key, const char *name, char *buf, uint32_t size) {
        auto it = current->registry.find(Value(key, name));
        if (it == current->registry.end())
            return -1;
        snprintf(buf, size, "%s", it->second.c_str());
        return 0;
    }
    static int RegSet(PL_REGKEY key, const char *name, const char *value) {
        current->registry[Value(key, name)] = value;
        return 0;
    }
    static int RegDelete(PL_REGKEY key, const char *name) { return current->registry.erase(Value(key, name)) ? 0 : -1; }
    static int Sound(const char *path) {
        current->sounds.push_back(path);
        if (current->onSound)
            current->onSound();
        return 0;
    }
    static int TrayIcon(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon) {
        current->tray.push_back({action, *icon, Text(icon->tip)});
        return 0;
    }
    static constexpr PL_SHELL_IMPL kImpl = {OpenTarget, RegOpen, RegClose, RegGet, RegSet, RegDelete, Sound, TrayIcon};
};

} // namespace testsupport
