#pragma once
// The analog input window: per card an input gain fader pair with its link box, a mute button and a
// peak meter per input, and where and when the inputs are monitored.
#include "windows/channel_window.h"
#include "windows/monitor_records.h"

namespace windows {

class TfrmAnalogInp : public TChannelWindow {
    Q_OBJECT

public:
    TfrmAnalogInp(tk::TComponent* owner, WindowHost& host);
    ~TfrmAnalogInp() override;

    // Two control handles per card on its analog input device.
    const HandleTable& InputHandles() const { return inputHandles_; }
    // Card k's monitoring record as last read or chosen; nothing before the first show.
    std::optional<driver::InputState> MonitorRecord(int card) const { return records_.Record(card); }

    Q_INVOKABLE void btnPunchRouteClick(tk::TComponent* sender);
    Q_INVOKABLE void btnWhenToMonClick(tk::TComponent* sender);
    Q_INVOKABLE void chkRoutingClick(tk::TComponent* sender);

protected:
    void DeclareParts(tk::FormParts& parts) override;
    void OpenHandles() override;
    void CloseHandles() override;
    const HandleTable& PairHandles() const override { return inputHandles_; }
    void LinkFaders() override;
    bool ReadStartupState() override;
    bool SendCardMeteringStart(int card) override;
    void SendCardMeteringStop(int card) override;
    bool ReadCardLevels(int card, win::DWORD levelBlock) override;
    void ReleaseOwnBlocks() override;

private:
    bool ReadMonitoring();

    HandleTable inputHandles_{};
    MonitorRecords records_{inputHandles_};
    tk::TPanel* routeChoices_ = nullptr;         // pnRouteParent: where the input is monitored
    tk::TPanel* whenToMonitorChoices_ = nullptr; // pnWhenToMonParent
};

} // namespace windows
