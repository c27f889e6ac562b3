#include "controls/level_meter.h"

#include "controls/lumi.h"
#include "controls/round_even.h"
#include "platform/mmsystem.h"
#include "platform/win_messages.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/message_queue.h"

#include <algorithm>
#include <cmath>

namespace controls {
namespace {

// Full scale of the logarithmic bar: 511 at LevelMax, 511 x log10(1 + 25 x level / LevelMax) / log10(26).
constexpr int kMeterScale = 511;
const double kScaleFactor = kMeterScale / std::log10(26.0);

// Runs on the timer thread: it may only post.
void PostMeterTick(win::UINT timerId, win::UINT, win::DWORD_PTR window, win::DWORD_PTR, win::DWORD_PTR) {
    win::PostMessageA(win::HWND(window), win::WM_METERTICK, timerId, 0);
}

} // namespace

TLevelMeter::TLevelMeter(tk::TComponent* owner) : TBarGraph(owner), divisor_(levelMax_ / 25.0) {
    barScale_ = kMeterScale;
    ColourLumis();
    BindMessage(win::WM_METERTICK, this, &TLevelMeter::WMMeterTick);
}

void TLevelMeter::BeforeDestruction() {
    StopTimer();
    TBarGraph::BeforeDestruction();
}

void TLevelMeter::SetLevelMax(int value) {
    levelMax_ = value;
    divisor_ = value / 25.0;
}

// Above full scale the level is ignored as a bar graph ignores one above its scale; it would
// otherwise start a hold where no peak is held.
void TLevelMeter::SetLevel(int value) {
    if (value > levelMax_) return;
    level_ = value;
    const int scaled = value > 0 ? RoundEven(std::log10(value / divisor_ + 1) * kScaleFactor) : value;
    if (scaled <= barScale_) ShowLevel(scaled);
    if (litIndex_ >= peakIndex_) {
        peakIndex_ = litIndex_;
        holdTicks_ = levelMaxHold_ / timerInterval_;
    }
}

void TLevelMeter::WMMeterTick(tk::TMessage& message) {
    if (timerEnable_ && (message.WParam & 0xFFFF) != (timerId_ & 0xFFFF)) return;
    message.Result = 1;
    if (litIndex_ > 0) {
        // Under a held peak the bar's top is one below the lit index.
        SwitchLumi(peakIndex_ != 0 && peakIndex_ <= litIndex_ ? litIndex_ - 1 : litIndex_, false);
        --litIndex_;
    } else {
        SwitchLumi(0, false);
    }
    if (holdTicks_ > 0 && --holdTicks_ == 0) {
        SwitchLumi(peakIndex_, false);
        peakIndex_ = 0;
    }
}

void TLevelMeter::SetNumLumisRed(int count) {
    numLumisRed_ = count;
    ColourLumis();
}

void TLevelMeter::SetNumLumisOrange(int count) {
    numLumisOrange_ = count;
    ColourLumis();
}

void TLevelMeter::BuildLumis() {
    TBarGraph::BuildLumis();
    peakIndex_ = std::clamp(peakIndex_, 0, std::max(0, LumiCount() - 1));
}

tk::TColor TLevelMeter::LumiColorAt(int index, int count) const {
    const int fromTop = count - 1 - index;
    const int red = std::max(0, numLumisRed_);
    const int orange = std::max(0, numLumisOrange_);
    return fromTop < red ? kRed : fromTop < red + orange ? kOrange : kLime;
}

void TLevelMeter::ColourLumis() {
    for (int i = 0; i < LumiCount(); ++i) Lumi(i)->SetColorOn(LumiColorAt(i, LumiCount()));
}

void TLevelMeter::SetTimerEnable(bool enable) {
    if (enable && !timerId_ && ParentForm()) StartTimer();
    else if (!enable) StopTimer();
    timerEnable_ = enable;
}

void TLevelMeter::SetTimerInterval(quint16 milliseconds) {
    if (milliseconds < 1) throw tk::ERangeError(QStringLiteral("Wert für TimerInterval muss mindestens 1 sein"));
    timerInterval_ = milliseconds;
    if (!timerEnable_) return;
    StopTimer();
    if (ParentForm()) StartTimer();
}

void TLevelMeter::StartTimer() {
    timerId_ = win::timeSetEvent(timerInterval_, timerInterval_, PostMeterTick, Handle(), win::TIME_PERIODIC);
}

void TLevelMeter::StopTimer() {
    if (!timerId_) return;
    win::timeKillEvent(timerId_);
    timerId_ = 0;
}

} // namespace controls
