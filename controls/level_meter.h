#pragma once
// The channel strips' peak meter: a bar graph on a logarithmic scale with red and orange top zones,
// falling by one lumi per tick and holding its peak lumi for LevelMaxHold milliseconds' worth of
// ticks. Ticks come as WM_METERTICK: from the meter's own multimedia timer when TimerEnable is set,
// or handed on by its window, which may call WMMeterTick directly.
#include "controls/bar_graph.h"
#include "platform/win_types.h"
#include "toolkit/message.h"

namespace controls {

class TLevelMeter : public TBarGraph {
    Q_OBJECT
    Q_PROPERTY(int NumLumisRed READ NumLumisRed WRITE SetNumLumisRed)
    Q_PROPERTY(int NumLumisOrange READ NumLumisOrange WRITE SetNumLumisOrange)
    Q_PROPERTY(bool TimerEnable READ TimerEnable WRITE SetTimerEnable)
    Q_PROPERTY(quint16 TimerInterval READ TimerInterval WRITE SetTimerInterval)
    Q_PROPERTY(quint16 LevelMaxHold READ LevelMaxHold WRITE SetLevelMaxHold)

public:
    static constexpr tk::TColor kRed{0x0000FF};
    static constexpr tk::TColor kOrange{0x0080FF};
    static constexpr tk::TColor kLime{0x00FF00};

    explicit TLevelMeter(tk::TComponent* owner);

    // A linear level 0..LevelMax; lights up to its place on the logarithmic scale and, at or above the
    // held peak, holds it anew. One above LevelMax changes nothing, Level included.
    void SetLevel(int value) override;
    int GetLevelMax() const override { return levelMax_; }
    void SetLevelMax(int value) override;

    // Lumis at the top lit red, and below them orange; the rest are lime.
    int NumLumisRed() const { return numLumisRed_; }
    void SetNumLumisRed(int count);
    int NumLumisOrange() const { return numLumisOrange_; }
    void SetNumLumisOrange(int count);

    bool TimerEnable() const { return timerEnable_; }
    // Starts the meter's own timer only when the meter is on a form; stopping needs no form.
    void SetTimerEnable(bool enable);
    quint16 TimerInterval() const { return timerInterval_; }
    // Restarts a running timer with the new period. Throws tk::ERangeError for 0.
    void SetTimerInterval(quint16 milliseconds);
    quint16 LevelMaxHold() const { return levelMaxHold_; }
    void SetLevelMaxHold(quint16 milliseconds) { levelMaxHold_ = milliseconds; }

    // One step of decay and of the hold countdown; Result 1 when the tick was taken. With its own timer
    // running the meter takes only that timer's ticks.
    void WMMeterTick(tk::TMessage& message);

    win::UINT TimerId() const { return timerId_; }
    // The held lumi, 0 for none.
    int PeakIndex() const { return peakIndex_; }
    // Ticks until the held lumi goes out.
    int HoldTicks() const { return holdTicks_; }

    void BuildLumis() override;

protected:
    void BeforeDestruction() override;
    tk::TColor LumiColorAt(int index, int count) const override;

private:
    // Shows at each lumi's next switch.
    void ColourLumis();
    void StartTimer();
    void StopTimer();

    int numLumisRed_ = 2;
    int numLumisOrange_ = 10;
    bool timerEnable_ = false;
    quint16 timerInterval_ = 50; // milliseconds, 1 or more
    quint16 levelMaxHold_ = 2000; // milliseconds
    int levelMax_ = 32767;  // the input full scale
    double divisor_;        // LevelMax / 25
    int peakIndex_ = 0;     // 0..LumiCount() - 1
    int holdTicks_ = 0;
    win::UINT timerId_ = 0; // 0: no timer
};

} // namespace controls
