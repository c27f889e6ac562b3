#pragma once
// The main and the control window made as start-up makes them, over the simulated card with a given
// number of cards and without a saved window state.
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "platform/registry.h"
#include "platform/wave_driver_set.h"
#include "tests/simcard/fresh_card.h"
#include "toolkit/application.h"

#include <filesystem>

class ProgramOnCard : public simcard::FreshCard {
protected:
    // For SetUp.
    void StartProgram(int cards) {
        FreshCard::SetUp();
        Card([cards](simcard::CardStateLayout& state) { state.cardCount = cards; });
        platform::WaveDriverSet::Install();
        std::error_code ec;
        std::filesystem::remove(platform::registry::FilePath(), ec);
        platform::registry::Reload();
        application.reset(new tk::TApplication);
        application->CreateForm<app::TfrmMain>();
        control = application->CreateForm<app::TMixControlWnd>();
    }

    tk::Owned<tk::TApplication> application;
    app::TMixControlWnd* control = nullptr;
};
