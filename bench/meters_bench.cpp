// The level meters' costs: a tick and a level on one meter without painting (target < 1 us each), and
// eight painted meters of a window for one second of 25 ticks and 10 levels (target < 1 % of a core,
// which is 10 ms of CPU time per iteration).
#include "bench/private_home.h"
#include "controls/level_meter.h"
#include "platform/win_messages.h"
#include "toolkit/form.h"

#include <QApplication>
#include <array>
#include <cmath>

namespace {

using controls::TLevelMeter;

// The strip designs' meter: 40 lumis, ticks of 40 ms, hold 3 s.
TLevelMeter* AddMeter(tk::TForm* form, int left) {
    auto* meter = new TLevelMeter(form);
    meter->SetParent(form);
    meter->SetBounds(left, 8, 18, 163);
    meter->SetLumiHeight(5);
    meter->SetNumLumisRed(1);
    meter->SetNumLumisOrange(12);
    meter->SetTimerInterval(40);
    meter->SetLevelMaxHold(3000);
    return meter;
}

// A programme-like run of peak levels across the whole scale.
std::array<int, 64> Programme() {
    std::array<int, 64> levels{};
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = int(32767 * std::pow(std::abs(std::sin(double(i) * 0.7)), 3.0));
    return levels;
}

void Tick(TLevelMeter* meter) {
    tk::TMessage message{win::WM_METERTICK, 0, 0, 0, nullptr};
    meter->WMMeterTick(message);
}

// The bar is lit again whenever it has fallen, so that every tick has lumis to put out.
void BM_MeterTick(benchmark::State& state) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    TLevelMeter* meter = AddMeter(form.get(), 8);
    for (auto _ : state) {
        if (meter->LitIndex() == 0) meter->SetOn(true);
        Tick(meter);
    }
}
BENCHMARK(BM_MeterTick);

// Every level is followed by two ticks, as levels (100 ms) and ticks (40 ms) alternate in a window,
// so that the bar keeps moving; the time is per level, ticks included.
void BM_MeterSetLevelWithTwoTicks(benchmark::State& state) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    TLevelMeter* meter = AddMeter(form.get(), 8);
    const auto levels = Programme();
    std::size_t next = 0;
    for (auto _ : state) {
        meter->SetLevel(levels[next++ % levels.size()]);
        Tick(meter);
        Tick(meter);
    }
}
BENCHMARK(BM_MeterSetLevelWithTwoTicks);

// One iteration is one second of a window with eight meters: 25 ticks and 10 levels, each followed by
// the repaint that it asked for. Its CPU time in milliseconds divided by 10 is the share of a core.
void BM_EightPaintedMetersOneSecond(benchmark::State& state) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->SetBounds(0, 0, 8 * 24 + 16, 220);
    std::array<TLevelMeter*, 8> meters{};
    for (std::size_t i = 0; i < meters.size(); ++i) meters[i] = AddMeter(form.get(), 8 + int(i) * 24);
    form->Show();
    QApplication::processEvents();
    const auto levels = Programme();
    std::size_t next = 0;
    for (auto _ : state) {
        for (int tick = 0; tick < 25; ++tick) {
            for (TLevelMeter* meter : meters) Tick(meter);
            if (tick * 10 / 25 != (tick + 1) * 10 / 25)
                for (TLevelMeter* meter : meters) meter->SetLevel(levels[next++ % levels.size()]);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(BM_EightPaintedMetersOneSecond)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
