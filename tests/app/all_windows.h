#pragma once
// The program's permanent windows made as start-up makes them, and the control window's four channel
// boxes ticked: for the runs that want every window open.
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"

inline void TickChannelBoxes(tk::TForm* control, bool ticked) {
    for (const char* name : {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs", "chkDigitalOutputs"})
        qobject_cast<controls::TExtCheckBox*>(control->FindComponent(QString::fromLatin1(name)))->SetChecked(ticked);
}

struct ProgramWindows {
    app::TfrmMain* main;
    app::TMixControlWnd* control;
};

// The tray icon loaded, the main and the control window made, the control window shown with every
// channel window open. The caller frees the icon after the application.
inline ProgramWindows OpenAllChannelWindows(tk::TApplication& application) {
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    auto* main = application.CreateForm<app::TfrmMain>();
    auto* control = application.CreateForm<app::TMixControlWnd>();
    control->Show();
    TickChannelBoxes(control, true);
    return {main, control};
}
