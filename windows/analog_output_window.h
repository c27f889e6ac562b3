#pragma once
// The analog output window: per card the playback source of the analog outputs, a volume fader pair
// with its link box, a mute button and a peak meter per output that shows whatever the source is.
#include "windows/output_window.h"

namespace windows {

class TfrmAnalogOut : public TOutputWindow {
    Q_OBJECT

public:
    TfrmAnalogOut(tk::TComponent* owner, WindowHost& host);
    ~TfrmAnalogOut() override;

    Q_INVOKABLE void SecTimerTimer(tk::TComponent* sender);

protected:
    const HandleTable& PairHandles() const override { return PlaybackHandles(); }
    bool ReadStartupState() override;
    void BeforeSourceChange() override;
    void SourceRefused() override;
};

} // namespace windows
