#pragma once
// The digital input window: per card the input select (optical, electrical, CD), where and when the
// input is monitored, its peak meters, and the rate the input is locked to.
#include "windows/channel_window.h"
#include "windows/monitor_records.h"

namespace tk {
class TLabel;
class TPanel;
class TTimer;
} // namespace tk

namespace windows {

class TfrmDigInp : public TChannelWindow {
    Q_OBJECT

public:
    TfrmDigInp(tk::TComponent* owner, WindowHost& host);
    ~TfrmDigInp() override;

    // Two control handles per card on its digital input device; messages go on the first.
    const HandleTable& DigitalInputHandles() const { return inputHandles_; }
    // Card k's input-state record as last read or chosen; nothing before the first show.
    std::optional<driver::InputState> MonitorRecord(int card) const { return records_.Record(card); }
    // The label that shows card k's rate, or null.
    tk::TLabel* RateLabel(int card) const;

    Q_INVOKABLE void btnRouteClick(tk::TComponent* sender);
    Q_INVOKABLE void btnMonRouteClick(tk::TComponent* sender);
    Q_INVOKABLE void btnWhenToMonClick(tk::TComponent* sender);
    Q_INVOKABLE void chkInpSelRateClick(tk::TComponent* sender);
    Q_INVOKABLE void RateTimerTimer(tk::TComponent* sender);

protected:
    void DeclareParts(tk::FormParts& parts) override;
    void OpenHandles() override;
    void CloseHandles() override;
    bool AllocateOwnBlocks() override;
    bool ReadStartupState() override;
    void ShowCompleted() override;
    bool SendCardMeteringStart(int card) override;
    void SendCardMeteringStop(int card) override;
    bool ReadCardLevels(int card, win::DWORD levelBlock) override;
    void ReleaseOwnBlocks() override;

private:
    void FillRateLabels();

    HandleTable inputHandles_{};
    MonitorRecords records_{inputHandles_};
    std::unique_ptr<driver::TransferBlock> rateBlock_; // 4 bytes: the input's rate in Hz, 0 = no lock
    std::array<tk::TLabel*, driver::MaxCards> rateLabels_{};
    tk::TPanel* inputSelectChoices_ = nullptr;   // pnInpSelParent
    tk::TPanel* routeChoices_ = nullptr;         // pnRouteParent: where the input is monitored
    tk::TPanel* whenToMonitorChoices_ = nullptr; // pnWhenToMonParent
    tk::TTimer* rateTimer_ = nullptr;
};

} // namespace windows
