#pragma once
// A tray host that records the icons handed to the shell and can refuse them.
#include "platform/tray.h"

#include <functional>
#include <string>
#include <vector>

class FakeTray : public platform::TrayHost {
public:
    FakeTray() : previous_(platform::SetTrayHost(this)) {}
    ~FakeTray() override { platform::SetTrayHost(previous_); }
    FakeTray(const FakeTray&) = delete;
    FakeTray& operator=(const FakeTray&) = delete;

    bool AddIcon(const win::NOTIFYICONDATAA& icon) override {
        added.push_back(icon);
        if (refuse) return false;
        if (onAdd) onAdd(icon);
        return true;
    }
    bool ModifyIcon(const win::NOTIFYICONDATAA&) override { return true; }
    bool DeleteIcon(win::HWND window, win::UINT) override {
        deleted.push_back(window);
        return true;
    }

    bool refuse = false;
    std::function<void(const win::NOTIFYICONDATAA&)> onAdd;
    std::vector<win::NOTIFYICONDATAA> added;
    std::vector<win::HWND> deleted;

private:
    platform::TrayHost* previous_;
};
