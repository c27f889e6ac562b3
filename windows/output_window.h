#pragma once
// What the two output windows share: per card the radio buttons of the playback source, kept in line
// with the driver once a second and whenever the other output window changed a source, the metering of
// whatever the source is, and the fall back to the previous choice when the driver refuses a change.
#include "windows/channel_window.h"
#include "windows/playback_routes.h"

#include <vector>

namespace tk {
class TRadioButton;
class TTimer;
} // namespace tk

namespace windows {

struct OutputDesign {
    RouteRules rules;
    const char* refreshTimer; // the one-second timer's name in the form
};

class TOutputWindow : public TChannelWindow {
    Q_OBJECT

public:
    ~TOutputWindow() override;

    // Two control handles per card on its analog and on its digital output device.
    const HandleTable& PlaybackHandles() const { return playbackHandles_; }
    const HandleTable& DigitalPlaybackHandles() const { return digitalPlaybackHandles_; }
    // Two per card on the device of the applied source; empty while it is the application's playback.
    const HandleTable& SourceHandles() const { return routes_.SourceHandles(); }
    const PlaybackRoutes& Routes() const { return routes_; }
    // The radio button a failed change falls back to.
    tk::TRadioButton* LastRouteButton(int card) const;

    // Brings every card's radio buttons in line with the driver's source, which applies a source changed
    // elsewhere; returns at once while it runs already.
    void RefreshRoutes() override;

    Q_INVOKABLE void btnRouteClick(tk::TComponent* sender);
    Q_INVOKABLE void btnRouteExit(tk::TComponent* sender);
    Q_INVOKABLE void chkPlaybackSelClick(tk::TComponent* sender);

protected:
    TOutputWindow(tk::TComponent* owner, const QString& description, const FrameDesign& design,
                  const OutputDesign& output, WindowHost& host);

    void DeclareParts(tk::FormParts& parts) override;
    void OpenHandles() override;
    void CloseHandles() override;
    bool SendCardMeteringStart(int card) override;
    void SendCardMeteringStop(int card) override;
    bool ReadCardLevels(int card, win::DWORD levelBlock) override;
    void ReleaseOwnBlocks() override;

    // Both route records of every card, then the first refresh and the one-second timer; false when a
    // record could not be mapped.
    bool ReadRoutes();
    // The handler of the one-second timer.
    void RefreshTimerTick();
    // Whether a radio button of the window chooses the playback source.
    virtual bool IsRouteRadio(const tk::TRadioButton* radio) const;
    // Before the driver hears of a chosen source.
    virtual void BeforeSourceChange() {}
    // The driver refused a source: the window says so or stays silent.
    virtual void SourceRefused() {}

private:
    std::vector<tk::TRadioButton*> RouteRadios(int card) const;
    void RefreshCard(int card);
    void ChangeSource(tk::TRadioButton* radio, int card);
    void FallBack(int card);

    OutputDesign output_;
    HandleTable playbackHandles_{};
    HandleTable digitalPlaybackHandles_{};
    PlaybackRoutes routes_;
    tk::TTimer* refreshTimer_ = nullptr; // the one-second timer
    std::array<tk::TRadioButton*, driver::MaxCards> lastRoute_{};
    bool refreshing_ = false; // RefreshRoutes runs; a change it starts may ask for another
};

} // namespace windows
