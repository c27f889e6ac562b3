#include "windows/accessible_names.h"

#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/accessibility.h"
#include "toolkit/check_box.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "windows/channel_messages.h"

namespace windows {
namespace {

QString CardName(int card) {
    return QStringLiteral("Karte #%1").arg(card + 1);
}

// The first label of a panel of radio buttons is its title; nothing for other panels.
const tk::TLabel* ChoiceTitle(const tk::TPanel& panel) {
    const tk::TLabel* title = nullptr;
    bool choices = false;
    for (int i = 0; i < panel.ControlCount(); ++i) {
        tk::TControl* child = panel.Controls(i);
        if (auto* label = qobject_cast<tk::TLabel*>(child); label && !title) title = label;
        choices = choices || qobject_cast<tk::TRadioButton*>(child);
    }
    return choices ? title : nullptr;
}

void NameChoicePanel(tk::TPanel& panel) {
    const tk::TLabel* title = ChoiceTitle(panel);
    if (!title) return;
    QString text = tk::ShownCaption(title->Caption());
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    panel.SetAccessibleName(CardName(panel.Tag()) + QLatin1Char(' ') + text);
}

} // namespace

QString StripControlName(int card, const QString& what, int side) {
    return QStringLiteral("%1 %2 %3")
        .arg(CardName(card), what, side == 0 ? QStringLiteral("links") : QStringLiteral("rechts"));
}

void NameStripControls(const tk::TComponent& window, driver::Direction faders) {
    const QString faderRole =
        faders == driver::Direction::Input ? QStringLiteral("Eingang") : QStringLiteral("Ausgang");
    for (tk::TComponent* component : window.ComponentList()) {
        // A fader's Number and a meter's Tag are 2 x card + side.
        if (auto* fader = qobject_cast<controls::TSlider*>(component)) {
            fader->SetAccessibleName(StripControlName(fader->Number() / 2, faderRole, fader->Number() % 2));
        } else if (auto* meter = qobject_cast<controls::TLevelMeter*>(component)) {
            meter->SetAccessibleName(
                StripControlName(meter->Tag() / 2, QStringLiteral("Pegel"), meter->Tag() % 2));
        } else if (auto* mute = qobject_cast<tk::TSpeedButton*>(component)) {
            mute->SetAccessibleName(StripControlName(CardOf(mute), QStringLiteral("Stumm"), mute->Tag() % 2));
        } else if (auto* link = qobject_cast<tk::TCheckBox*>(component); link && link->Caption().isEmpty()) {
            link->SetAccessibleName(CardName(CardOf(link)) + QStringLiteral(" Fader verbinden"));
        } else if (auto* panel = qobject_cast<tk::TPanel*>(component)) {
            NameChoicePanel(*panel);
        }
    }
}

void NameSection(tk::TControl* section, const tk::TCheckBox* box) {
    if (section && box) section->SetAccessibleName(tk::ShownCaption(box->Caption()));
}

} // namespace windows
