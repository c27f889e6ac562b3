#pragma once
// Fixture: the analog input window on the simulated card, owned by a stand-in control window that
// records the windows reporting their closing, with the card's trace at hand.
#include "app/process_state.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "driver/device_discovery.h"
#include "driver/device_tables.h"
#include "platform/wave_driver_set.h"
#include "platform/win_messages.h"
#include "tests/simcard/fresh_card.h"
#include "tests/windows/wave_trace.h"
#include "toolkit/application.h"
#include "toolkit/check_box.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "windows/analog_input_window.h"

#include <vector>

namespace windows_test {

class AnalogInputWindowTest : public simcard::FreshCard {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        application.reset(new tk::TApplication);
        control = tk::CreateForm<tk::TForm>(application.get());
        control->BindMessage(win::WM_CHILDCLOSED, [this](tk::TMessage& message) {
            closedReports.push_back(message.LParam);
        });
        app::ControlWindow = control;
        app::AboutBox = tk::CreateForm<tk::TForm>(application.get());
    }

    void TearDown() override {
        if (window) window->Free();
        app::ControlWindow = nullptr;
        app::AboutBox = nullptr;
        application.reset();
    }

    // The window for that many cards, shown when it came out of creation initialised.
    windows::TfrmAnalogInp* Open(int cards) {
        Card([cards](simcard::CardStateLayout& state) { state.cardCount = cards; });
        platform::WaveDriverSet::Install();
        driver::DiscoverDevices();
        simcard::SetTraceEnabled(true);
        simcard::ClearTrace();
        window = tk::CreateForm<windows::TfrmAnalogInp>(control);
        instances = OpenedInputInstances();
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

    void StartTrace() {
        simcard::SetTraceEnabled(true);
        simcard::ClearTrace();
    }

    template <class T> T* Find(const QString& name) const { return qobject_cast<T*>(window->FindComponent(name)); }

    // The controls of class T whose parent carries the card's Tag, in component order.
    template <class T> std::vector<T*> OfCard(int card) const {
        std::vector<T*> found;
        for (tk::TComponent* component : window->ComponentList())
            if (auto* control = qobject_cast<T*>(component); control && control->Parent() && control->Parent()->Tag() == card)
                found.push_back(control);
        return found;
    }

    // How the trace names InputHandles[index].
    std::uint32_t Handle(int index) const { return instances.at(std::size_t(index)); }

    tk::Owned<tk::TApplication> application;
    tk::TForm* control = nullptr;
    windows::TfrmAnalogInp* window = nullptr;
    std::vector<win::LPARAM> closedReports;
    std::vector<std::uint32_t> instances; // the driver's instance of each of InputHandles, in order
};

} // namespace windows_test
