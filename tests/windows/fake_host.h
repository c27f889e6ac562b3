#pragma once
// Stands in for the control window as the channel windows' host and records what they ask of it.
#include "toolkit/form.h"
#include "windows/window_host.h"

#include <functional>
#include <vector>

namespace windows_test {

class FakeHost : public windows::WindowHost {
public:
    explicit FakeHost(tk::TForm* aboutBox) : aboutBox_(aboutBox) {}

    win::HICON WindowIcon() const override { return 0; }
    tk::TForm* AboutBox() const override { return aboutBox_; }
    void ChildClosed(tk::TForm* window) override {
        closed.push_back(window->Handle());
        if (onChildClosed) onChildClosed();
    }
    void ChildActiveChanged(tk::TComponent*) override { ++activeChanges; }
    void EnableDigitalWindows() override { ++digitalEnables; }
    void RefreshOtherOutputRoutes(tk::TForm* changed) override {
        routeRefreshes.push_back(changed);
        if (onRouteRefresh) onRouteRefresh();
    }

    std::vector<win::HWND> closed; // the windows that reported their closing, in order
    std::function<void()> onChildClosed; // runs as a window reports its closing
    int activeChanges = 0;
    int digitalEnables = 0;
    std::vector<tk::TForm*> routeRefreshes; // the windows that changed a source
    std::function<void()> onRouteRefresh;   // runs as the other output window is asked to follow

private:
    tk::TForm* aboutBox_;
};

} // namespace windows_test
