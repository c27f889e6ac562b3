#pragma once
// Fixture: the settings dialog on the simulated card's configuration, owned by a stand-in control
// window and served by a host that records the windows reporting their closing, with the card's trace
// and the message boxes at hand.
#include "controls/child_window_host.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "platform/win_types.h"
#include "settings/config_dialog.h"
#include "tests/driver/message_box_capture.h"
#include "tests/simcard/fresh_card.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/radio_button.h"
#include "toolkit/track_bar.h"

#include <QSlider>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace settings_test {

// Stands in for the control window as the dialog's host.
class FakeHost : public controls::ChildWindowHost {
public:
    tk::TForm* AboutBox() const override { return aboutBox; }
    void ChildClosed(tk::TForm* window) override { closed.push_back(win::LPARAM(window->Handle())); }

    tk::TForm* aboutBox = nullptr;
    std::vector<win::LPARAM> closed; // the windows that reported their closing, in order
};

class SettingsDialogTest : public simcard::FreshCard {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        driver::SetConfigCallOptions({});
        application.reset(new tk::TApplication);
        control = tk::CreateForm<tk::TForm>(application.get());
        host.aboutBox = tk::CreateForm<tk::TForm>(application.get());
        ASSERT_TRUE(driver::DriverConfigCall(driver::ConfigGetConfig, &config, sizeof config));
    }

    void TearDown() override {
        if (dialog) dialog->Free();
        application.reset();
    }

    // The dialog for card on a record changed by edit first, shown, with the trace started before
    // its creation.
    settings::TdlgCfg* Open(int card = 0, int cardCount = 2,
                            const std::function<void(driver::CardConfig&)>& edit = {}) {
        if (edit) edit(config.Cards[card]);
        simcard::SetTraceEnabled(true);
        simcard::ClearTrace();
        dialog = tk::CreateForm<settings::TdlgCfg>(control, host, config, card, cardCount);
        dialog->Show();
        return dialog;
    }

    template <class T> T* Part(const char* name) const {
        auto* part = qobject_cast<T*>(dialog->FindComponent(QString::fromLatin1(name)));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }
    tk::TButton* Apply() const { return Part<tk::TButton>("btnApply"); }
    void Click(const char* name) { Part<tk::TButton>(name)->Click(); }
    void Toggle(const char* name) {
        auto* box = Part<tk::TCustomCheckBox>(name);
        box->SetChecked(!box->Checked());
    }
    void Choose(const char* radio) { Part<tk::TRadioButton>(radio)->SetChecked(true); }
    // As the user drags the thumb to position.
    void Drag(const char* bar, int position) { qobject_cast<QSlider*>(Part<tk::TTrackBar>(bar)->Widget())->setValue(position); }

    // The configuration commands the card received since the trace started, oldest first.
    static std::vector<std::string> ConfigCalls() {
        std::vector<std::string> calls;
        for (const simcard::TraceLine& line : simcard::ReadTrace()) {
            std::istringstream words(line.event);
            std::string source, command;
            if (words >> source >> command && source == "config") calls.push_back(command);
        }
        return calls;
    }

    driver::CardConfig CardRecord(int card) {
        driver::CardConfig record;
        Card([&](simcard::CardStateLayout& state) {
            std::memcpy(&record, state.configArray.data() + sizeof record * std::size_t(card), sizeof record);
        });
        return record;
    }
    std::pair<std::int32_t, std::int32_t> OnTheFlyValues() {
        return Card([](simcard::CardStateLayout& state) {
            return std::pair(state.onTheFlyGranularity, state.onTheFlyLatency);
        });
    }

    MessageBoxCapture boxes;
    tk::Owned<tk::TApplication> application;
    tk::TForm* control = nullptr;
    FakeHost host;
    settings::TdlgCfg* dialog = nullptr;
    driver::ConfigArray config{};
    std::vector<win::LPARAM>& closedReports = host.closed;
};

} // namespace settings_test
