#pragma once
// The program's permanent windows made as start-up makes them, and the control window's channel boxes
// ticked (all four unless named): for the runs that want the channel windows open.
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

using ChannelBoxes = std::initializer_list<const char*>;
inline constexpr ChannelBoxes AllChannelBoxes = {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs",
                                                 "chkDigitalOutputs"};

inline void TickChannelBox(tk::TForm* control, const char* name, bool ticked) {
    auto* box = qobject_cast<controls::TExtCheckBox*>(control->FindComponent(QString::fromLatin1(name)));
    box->SetChecked(ticked);
}

inline void TickChannelBoxes(tk::TForm* control, bool ticked, ChannelBoxes boxes = AllChannelBoxes) {
    for (const char* name : boxes) TickChannelBox(control, name, ticked);
}

struct ProgramWindows {
    app::TfrmMain* main;
    app::TMixControlWnd* control;
};

// The tray icon loaded, the main and the control window made, the control window shown with the
// channel windows of the boxes open, by default every one, and no other: a window left open by an
// earlier run in the same home comes back with the control window and is closed, one named stays as it
// came. The caller frees the icon after the application.
inline ProgramWindows OpenChannelWindows(tk::TApplication& application,
                                         ChannelBoxes boxes = AllChannelBoxes) {
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    auto* main = application.CreateForm<app::TfrmMain>();
    auto* control = application.CreateForm<app::TMixControlWnd>();
    control->Show();
    for (const char* name : AllChannelBoxes) {
        const bool named = std::find(boxes.begin(), boxes.end(), std::string_view(name)) != boxes.end();
        TickChannelBox(control, name, named);
    }
    return {main, control};
}
