#include "tools/control_sample.h"

#include "controls/clone_components.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "platform/win_messages.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

namespace tools {
namespace {

using controls::TLevelMeter;
using controls::TSlider;

template <class T> T* Add(tk::TForm* form, tk::TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

void AddCaption(tk::TForm* form, tk::TWinControl* parent, int left, int top, const QString& text) {
    Add<tk::TLabel>(form, parent, left, top, 30, 13)->SetCaption(text);
}

// The strip designs' fader: positions 31 to 164 on a travel of 100 pixels.
TSlider* AddFader(tk::TForm* form, tk::TWinControl* parent, int left, int position) {
    auto* fader = Add<TSlider>(form, parent, left, 8, 4, 112);
    fader->SetMoveRestriction(6);
    fader->SetBtnHeight(26);
    fader->SetBtnWidth(18);
    fader->SetMax(164);
    fader->SetMin(31);
    fader->SetPosition(position);
    return fader;
}

// The strip designs' meter: 40 lumis, 1 red, 12 orange.
TLevelMeter* AddMeter(tk::TForm* form, tk::TWinControl* parent, int left, int level) {
    auto* meter = Add<TLevelMeter>(form, parent, left, 8, 18, 163);
    meter->SetLumiHeight(5);
    meter->SetNumLumisRed(1);
    meter->SetNumLumisOrange(12);
    meter->SetTimerInterval(40);
    meter->SetLevelMaxHold(3000);
    meter->SetLevel(level);
    return meter;
}

void AddFaders(tk::TForm* form) {
    auto* panel = Add<tk::TPanel>(form, form, 8, 8, 190, 150);
    int left = 16;
    for (int position : {31, 64, 98, 131, 164}) {
        AddFader(form, panel, left, position);
        AddCaption(form, panel, left - 6, 128, QString::number(position));
        left += 36;
    }
}

void AddMeters(tk::TForm* form) {
    auto* panel = Add<tk::TPanel>(form, form, 206, 8, 196, 200);
    int left = 8;
    for (int level : {0, 33, 3277, 16384, 32767}) {
        AddMeter(form, panel, left, level);
        AddCaption(form, panel, left - 2, 178, QString::number(level / 1000) + QStringLiteral("k"));
        left += 30;
    }
    // Ten ticks after a full level: the bar has fallen, the held peak stays lit.
    TLevelMeter* falling = AddMeter(form, panel, left, 32767);
    for (int tick = 0; tick < 10; ++tick) falling->Perform(win::WM_METERTICK, 0, 0);
    AddCaption(form, panel, left - 2, 178, QStringLiteral("hold"));
}

// A fader and a meter in a named template panel, copied once to its right.
void AddClonedStrip(tk::TForm* form) {
    auto* strip = Add<tk::TPanel>(form, form, 8, 166, 190, 190);
    auto* cell = Add<tk::TPanel>(form, strip, 4, 4, 80, 180);
    cell->SetName(QStringLiteral("pnCell"));
    auto* fader = AddFader(form, cell, 52, 120);
    fader->SetName(QStringLiteral("Slider0"));
    auto* meter = AddMeter(form, cell, 8, 12000);
    meter->SetName(QStringLiteral("Meter1"));
    controls::CloneComponents(strip, strip, 94, 0, nullptr);
}

} // namespace

tk::TForm* CreateControlSample() {
    auto* form = new tk::TForm(nullptr);
    form->SetCaption(QStringLiteral("Fader und Anzeigen"));
    form->SetClientWidth(410);
    form->SetClientHeight(364);
    AddFaders(form);
    AddMeters(form);
    AddClonedStrip(form);
    return form;
}

} // namespace tools
