#pragma once
// The windows that the control window opens: the reference kept to each while it is open, and the one
// place where each kind is made.
#include <functional>

namespace controls {
class ChildWindowHost;
}
namespace driver {
struct ConfigArray;
}
namespace tk {
class TComponent;
class TForm;
} // namespace tk
namespace windows {
class WindowHost;
}

namespace app {

// Owned by the control window; empty while the window is not open.
inline tk::TForm* AnalogInputWindow = nullptr;   // TfrmAnalogInp
inline tk::TForm* DigitalInputWindow = nullptr;  // TfrmDigInp
inline tk::TForm* AnalogOutputWindow = nullptr;  // TfrmAnalogOut
inline tk::TForm* DigitalOutputWindow = nullptr; // TfrmDigOut
inline tk::TForm* SettingsDialog = nullptr;      // TdlgCfg

// Creates the window, owned by owner and served by host, as CreateForm does; a failed creation throws.
using ChannelWindowMaker = std::function<tk::TForm*(tk::TComponent* owner, windows::WindowHost& host)>;
// card: the 0-based card the dialog edits first; cardCount: 1 to 4; config: the control window's array,
// which the dialog edits in place.
using SettingsDialogMaker = std::function<tk::TForm*(tk::TComponent* owner, controls::ChildWindowHost& host,
                                                     driver::ConfigArray& config, int card, int cardCount)>;

struct ChildWindowMakers {
    ChannelWindowMaker analogInputs;
    ChannelWindowMaker digitalInputs;
    ChannelWindowMaker analogOutputs;
    ChannelWindowMaker digitalOutputs;
    SettingsDialogMaker settings;
};

// The makers that the control window uses; tests put their own in for a while.
ChildWindowMakers& ChildWindows();

} // namespace app
