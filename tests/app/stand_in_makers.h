#pragma once
// Puts stand-ins in place of every window that the control window opens, for as long as it lives, so
// that tests of the control window do not depend on the windows themselves; each kind's creation can
// be made to fail.
#include "app/child_windows.h"
#include "tests/app/stand_in_window.h"

#include <QString>

class StandInMakers {
public:
    using Outcome = app::StandInWindow::Outcome;

    StandInMakers() : previous_(app::ChildWindows()) {
        app::ChildWindows() = {Maker("TfrmAnalogInp"), Maker("TfrmDigInp"), Maker("TfrmAnalogOut"),
                               Maker("TfrmDigOut"), SettingsMaker()};
    }
    ~StandInMakers() { app::ChildWindows() = previous_; }
    StandInMakers(const StandInMakers&) = delete;
    StandInMakers& operator=(const StandInMakers&) = delete;

    static app::ChannelWindowMaker Maker(const char* className, Outcome outcome = Outcome::Initialised) {
        return [className, outcome](tk::TComponent* owner, windows::WindowHost&) {
            const QString name = QString::fromLatin1(className);
            return app::StandInWindow::Create(owner, name, name, outcome);
        };
    }

    // What the control window handed to the last settings dialog it made.
    driver::ConfigArray* settingsConfig = nullptr;
    int settingsCard = -1;
    int settingsCardCount = -1;

private:
    app::SettingsDialogMaker SettingsMaker() {
        return [this](tk::TComponent* owner, controls::ChildWindowHost&, driver::ConfigArray& config,
                      int card, int cardCount) {
            settingsConfig = &config;
            settingsCard = card;
            settingsCardCount = cardCount;
            return app::StandInWindow::Create(owner, QStringLiteral("TdlgCfg"), QStringLiteral("TdlgCfg"));
        };
    }

    app::ChildWindowMakers previous_;
};
