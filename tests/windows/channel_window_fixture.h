#pragma once
// Fixture: any channel window on the simulated card, served by a fake host, with the card's trace at
// hand. A window takes part in the frame's tests with one row that says how it is made and what its
// design holds; its own tests use the fixture with its row directly.
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "driver/device_discovery.h"
#include "driver/device_tables.h"
#include "platform/registry.h"
#include "platform/wave_driver_set.h"
#include "platform/win_messages.h"
#include "tests/simcard/fresh_card.h"
#include "tests/windows/fake_host.h"
#include "tests/windows/wave_trace.h"
#include "toolkit/application.h"
#include "toolkit/check_box.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "windows/channel_window.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace windows_test {

// What the frame's tests need to know of one window class.
struct WindowRow {
    const char* name; // the test name's suffix
    std::function<windows::TChannelWindow*(tk::TComponent* owner, windows::WindowHost& host)> make;
    driver::Direction direction;  // of the handle table that the window opens first
    win::UINT startMetering;      // sent once per card on that table's card handle
    win::UINT stopMetering;
    // Every handle the window opened, as a table.
    std::function<windows::HandleTable(const windows::TChannelWindow&)> handles;
    // Makes card 1's first device of the window vanish, so that its control open fails.
    std::function<void()> removeCard1Device;
    windows::SectionNames sections;
    // The window's design in pixels, as its form's description gives it (not as the code computes it).
    std::array<int, 4> widest; // the widest window for 1 to 4 cards
    int narrowest;
    int outerHeight, oneCardOuterHeight; // the only height the window may take with every section shown
    int stripStep;                       // from one card's strip to the next
    std::array<int, 4> levelWidth;       // the level section's width for 1 to 4 cards
    int levelTop, oneCardLevelTop, levelTopWithoutUpper;
    int oneCardGroupHeight;
    int upperHeight, levelHeight, checksHeight; // what showing or hiding each section changes
    int checksOnlyHeight;                       // the window with both sections hidden
};

inline void PrintTo(const WindowRow& row, std::ostream* out) { *out << row.name; }

// The rows of the windows built so far.
const WindowRow& AnalogInputRow();
const WindowRow& AnalogOutputRow();
const WindowRow& DigitalOutputRow();
const WindowRow& DigitalInputRow();

class ChannelWindowFixture : public simcard::FreshCard {
protected:
    explicit ChannelWindowFixture(WindowRow windowRow) : row(std::move(windowRow)) {}

    // Every test starts without a saved window state.
    void SetUp() override {
        FreshCard::SetUp();
        std::error_code ignored;
        std::filesystem::remove(platform::registry::FilePath(), ignored);
        platform::registry::Reload();
        application.reset(new tk::TApplication);
        control = tk::CreateForm<tk::TForm>(application.get());
        host = std::make_unique<FakeHost>(tk::CreateForm<tk::TForm>(application.get()));
    }

    void TearDown() override {
        if (window) window->Free();
        application.reset();
    }

    // The card with that many cards, found by discovery.
    void Discover(int cards) {
        Card([cards](simcard::CardStateLayout& state) { state.cardCount = cards; });
        platform::WaveDriverSet::Install();
        driver::DiscoverDevices();
    }

    // The window, created but not shown.
    windows::TChannelWindow* Create() {
        window = row.make(control, *host);
        return window;
    }

    // The window for that many cards, shown when it came out of creation initialised.
    windows::TChannelWindow* Open(int cards) {
        Discover(cards);
        StartTrace();
        Create();
        instances = OpenedInstances(row.direction == driver::Direction::Input ? "wavein" : "waveout");
        if (window->Initialised()) window->Show();
        return window;
    }

    // Closes and frees the window as the control window does.
    void CloseWindow() {
        window->Close();
        window->Free();
        window = nullptr;
        application->ProcessMessages();
    }

    static void StartTrace() {
        simcard::SetTraceEnabled(true);
        simcard::ClearTrace();
    }

    template <class T> T* Find(const QString& name) const { return qobject_cast<T*>(window->FindComponent(name)); }
    template <class T> T* Find(const char* name) const { return Find<T>(QString::fromLatin1(name)); }

    // The controls of class T whose parent carries the card's Tag, in component order.
    template <class T> std::vector<T*> OfCard(int card) const {
        std::vector<T*> found;
        for (tk::TComponent* component : window->ComponentList())
            if (auto* each = qobject_cast<T*>(component); each && windows::CardOf(each) == card) found.push_back(each);
        return found;
    }

    // How the trace names the window's first handle table's entry index.
    std::uint32_t Handle(int index) const { return instances.at(std::size_t(index)); }

    WindowRow row;
    tk::Owned<tk::TApplication> application;
    tk::TForm* control = nullptr; // the windows' owner
    std::unique_ptr<FakeHost> host;
    windows::TChannelWindow* window = nullptr;
    std::vector<std::uint32_t> instances; // the driver's instance of each handle opened, in order
};

// The frame's tests run once per row.
class ChannelWindowTest : public ChannelWindowFixture, public testing::WithParamInterface<WindowRow> {
protected:
    ChannelWindowTest() : ChannelWindowFixture(GetParam()) {}
};

} // namespace windows_test
