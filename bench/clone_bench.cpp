// Cloning a channel strip of about 40 components three times into its own panel, as a window with
// four cards does at creation (target < 5 ms), and the whole of such a window made and shown.
#include "bench/private_home.h"
#include "controls/bilingual_controls.h"
#include "controls/clone_components.h"
#include "controls/ext_speed_button.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/bevel.h"
#include "toolkit/form.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace {

using namespace controls;

class StripBuilder {
public:
    explicit StripBuilder(tk::TForm* form) : form_(form) {}

    template <class T> T* Add(tk::TWinControl* parent, const char* prefix, int left, int top, int width, int height) {
        auto* control = new T(form_);
        control->SetName(QString::fromLatin1(prefix) + QString::number(++id_));
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

private:
    tk::TForm* form_;
    int id_ = 0;
};

// The analog input window's level section for one card: meters, scales, the fader strip with its
// faders, link box, brackets and mutes, and the monitoring choices.
tk::TPanel* BuildStrip(tk::TForm* form) {
    StripBuilder add(form);
    auto* section = add.Add<tk::TPanel>(form, "pnMeters", 6, 147, 171, 203);
    add.Add<TExtLabel>(section, "lbCard", 4, 2, 50, 13)->SetCaptionGerman("Karte #1");
    for (int i = 0; i < 2; ++i) {
        auto* meter = add.Add<TLevelMeter>(section, "Meter", 8 + 22 * i, 18, 18, 163);
        meter->SetLumiHeight(5);
        meter->SetNumLumisRed(1);
        meter->SetNumLumisOrange(12);
    }
    for (int i = 0; i < 10; ++i) add.Add<tk::TLabel>(section, "lbMeterScale", 52, 18 + 16 * i, 20, 13);
    auto* faders = add.Add<tk::TPanel>(section, "pnSlider", 88, 10, 53, 185);
    for (int i = 0; i < 2; ++i) {
        auto* fader = add.Add<TSlider>(faders, "Slider", 13 + 22 * i, 8, 4, 149);
        fader->SetMax(164);
        fader->SetMin(31);
        fader->SetNumber(i);
        add.Add<TExtSpeedButton>(faders, "btnMute", 6 + 22 * i, 165, 18, 18)->SetCaptionGerman("M");
        add.Add<tk::TLabel>(faders, "lbChannel", 12 + 22 * i, 150, 8, 13);
    }
    add.Add<TExtCheckBox>(faders, "chkLink", 19, 157, 15, 17)->SetTag(-1);
    add.Add<tk::TLabel>(faders, "lbBracketLeft", 11, 151, 8, 13);
    add.Add<tk::TLabel>(faders, "lbBracketRight", 33, 151, 8, 13);
    for (int i = 0; i < 10; ++i) add.Add<tk::TLabel>(section, "lbFaderScale", 142, 10 + 16 * i, 20, 13);
    add.Add<tk::TBevel>(section, "bvLine", 0, 0, 171, 2);
    for (int i = 0; i < 3; ++i) add.Add<TExtRadioButton>(section, "btnMonitor", 4, 185 + 14 * i, 80, 14);
    return section;
}

int CountControls(const tk::TWinControl* container) {
    int count = container->ControlCount();
    for (int i = 0; i < container->ControlCount(); ++i)
        if (auto* inner = qobject_cast<tk::TWinControl*>(container->Controls(i)); inner && !qobject_cast<TBarGraph*>(inner))
            count += CountControls(inner);
    return count;
}

void BM_CloneStripThreeTimes(benchmark::State& state) {
    int components = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
        tk::TPanel* strip = BuildStrip(form.get());
        components = CountControls(strip);
        int nextNumber = 2;
        const TCloneEvent renumber = [&nextNumber](tk::TControl*& copy) {
            if (auto* fader = qobject_cast<TSlider*>(copy)) fader->SetNumber(nextNumber++);
            else if (qobject_cast<tk::TBevel*>(copy)) tk::FreeAndNil(copy);
        };
        state.ResumeTiming();
        for (int card = 1; card < 4; ++card) {
            strip->SetWidth(strip->Width() + 173);
            CloneComponents(strip, strip, card * 173, 0, renumber);
        }
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["strip_controls"] = components;
}
BENCHMARK(BM_CloneStripThreeTimes)->Unit(benchmark::kMillisecond);

// The whole of a window with four cards' strips: building the strip, cloning it, showing the form
// and painting it once.
void BM_FormWithFourStripsShown(benchmark::State& state) {
    for (auto _ : state) {
        tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
        form->SetClientWidth(4 * 173 + 12);
        form->SetClientHeight(360);
        tk::TPanel* strip = BuildStrip(form.get());
        for (int card = 1; card < 4; ++card) {
            strip->SetWidth(strip->Width() + 173);
            CloneComponents(strip, strip, card * 173, 0, nullptr);
        }
        form->Show();
        benchmark::DoNotOptimize(form->Widget()->grab());
        state.PauseTiming();
        form.reset();
        QApplication::processEvents(); // widgets whose deletion Qt deferred
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormWithFourStripsShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
