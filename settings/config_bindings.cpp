#include "settings/config_bindings.h"

#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/errors.h"
#include "toolkit/radio_button.h"
#include "toolkit/track_bar.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace settings {
namespace {

using Field = std::int32_t driver::CardConfig::*;
using driver::CardConfig;
using driver::RecordFalse;
using driver::RecordTrue;

enum class Encoding {
    Ticked,         // check box: ticked = true
    TickedIsZero,   // check box: ticked = 0 (the driver's messages off), unticked = true
    RadioTag,       // the radios of a panel: the checked one's Tag
    RadioFlag,      // the radios of a panel, Tag 0 and -1: the field read as a boolean
    ItemIndexLess1, // list: item index - 1
    ItemValue,      // list: the value at the item index
    Position,       // track bar: its position
};

constexpr std::array<std::int32_t, 3> kRates = {22050, 44100, 48000};      // Hz
constexpr std::array<std::int32_t, 2> kResolutions = {1, 2};               // 8 bit, 16 bit

struct Binding {
    const char* control; // a radio group is bound through the panel that holds its radios
    Field field;
    Field copy; // written with the same value, shown after field; nullptr for none
    Encoding encoding;
    std::span<const std::int32_t> values = {}; // ItemValue: the value of each item
};

const std::array kBindings = {
    Binding{"chkMaster", &CardConfig::SyncBusMaster, nullptr, Encoding::Ticked},
    Binding{"pnSyncBus", &CardConfig::SyncBusClock, nullptr, Encoding::RadioTag},
    Binding{"chkNoMsgRate", &CardConfig::RateConflictMsgs, nullptr, Encoding::TickedIsZero},
    Binding{"chkNoMsgDevConflict", &CardConfig::DevConflictMsgs, nullptr, Encoding::TickedIsZero},
    Binding{"pnAnaRecSS", &CardConfig::AnaRecSS, nullptr, Encoding::RadioFlag},
    Binding{"pnAnaPlaySS", &CardConfig::AnaPlaySS, nullptr, Encoding::RadioFlag},
    Binding{"pnDigRecSS", &CardConfig::DigRecSS, nullptr, Encoding::RadioFlag},
    Binding{"pnDigPlaySS", &CardConfig::DigPlaySS, nullptr, Encoding::RadioFlag},
    Binding{"pnAnaClock", &CardConfig::AnaClockA, &CardConfig::AnaClockB, Encoding::RadioTag},
    Binding{"pnDigPlayClock", &CardConfig::DigPlayClock, nullptr, Encoding::RadioTag},
    Binding{"chkWriteIsPlayCursor", &CardConfig::WriteIsPlayCursor, nullptr, Encoding::Ticked},
    Binding{"barLatency", &CardConfig::DsLatency, nullptr, Encoding::Position},
    Binding{"boxRestrictedRate", &CardConfig::RestrictedRate, nullptr, Encoding::ItemValue, kRates},
    Binding{"boxRestrictedRes", &CardConfig::RestrictedRes, nullptr, Encoding::ItemValue, kResolutions},
    Binding{"chkRestrictedDev", &CardConfig::RestrictedDev, nullptr, Encoding::Ticked},
    Binding{"boxDevices", &CardConfig::RestrictedDevice, nullptr, Encoding::ItemIndexLess1},
    Binding{"tckKerning", &CardConfig::GsifKerning, nullptr, Encoding::Position},
    Binding{"tckPreload", &CardConfig::GsifPreload, nullptr, Encoding::Position},
};

const Binding* FindBinding(const QString& name) {
    const auto found = std::ranges::find_if(
        kBindings, [&name](const Binding& binding) { return name.compare(QLatin1String(binding.control), Qt::CaseInsensitive) == 0; });
    return found == kBindings.end() ? nullptr : &*found;
}

template <class T> T* Bound(tk::TComponent* control, const char* name) {
    auto* bound = qobject_cast<T*>(control);
    if (!bound) throw tk::EComponentError(QStringLiteral("The settings dialog has no control %1 of its kind").arg(name));
    return bound;
}

int IndexOfValue(std::span<const std::int32_t> values, std::int32_t value) {
    const auto found = std::ranges::find(values, value);
    return found == values.end() ? -1 : int(found - values.begin());
}

// The radio of the panel that stands for value, nullptr when none does.
tk::TRadioButton* RadioOfTag(tk::TWinControl& panel, int tag) {
    for (int index = 0; index < panel.ControlCount(); ++index)
        if (auto* radio = qobject_cast<tk::TRadioButton*>(panel.Controls(index)); radio && radio->Tag() == tag)
            return radio;
    return nullptr;
}

std::optional<std::int32_t> CheckedTag(const tk::TWinControl& panel) {
    for (int index = 0; index < panel.ControlCount(); ++index)
        if (auto* radio = qobject_cast<tk::TRadioButton*>(panel.Controls(index)); radio && radio->Checked())
            return radio->Tag();
    return std::nullopt;
}

void Show(tk::TComponent* control, const Binding& binding, std::int32_t value) {
    switch (binding.encoding) {
    case Encoding::Ticked:
        Bound<tk::TCustomCheckBox>(control, binding.control)->SetChecked(value != RecordFalse);
        break;
    case Encoding::TickedIsZero:
        Bound<tk::TCustomCheckBox>(control, binding.control)->SetChecked(value == RecordFalse);
        break;
    case Encoding::RadioTag:
    case Encoding::RadioFlag: {
        const int tag = binding.encoding == Encoding::RadioFlag ? (value ? RecordTrue : RecordFalse) : value;
        if (tk::TRadioButton* radio = RadioOfTag(*Bound<tk::TWinControl>(control, binding.control), tag))
            radio->SetChecked(true);
        break;
    }
    case Encoding::ItemIndexLess1: Bound<tk::TComboBox>(control, binding.control)->SetItemIndex(value + 1); break;
    case Encoding::ItemValue:
        Bound<tk::TComboBox>(control, binding.control)->SetItemIndex(IndexOfValue(binding.values, value));
        break;
    case Encoding::Position: Bound<tk::TTrackBar>(control, binding.control)->SetPosition(value); break;
    }
}

std::optional<std::int32_t> ValueOf(tk::TComponent* target, const Binding& binding) {
    switch (binding.encoding) {
    case Encoding::Ticked:
        return Bound<tk::TCustomCheckBox>(target, binding.control)->Checked() ? RecordTrue : RecordFalse;
    case Encoding::TickedIsZero:
        return Bound<tk::TCustomCheckBox>(target, binding.control)->Checked() ? RecordFalse : RecordTrue;
    case Encoding::RadioTag:
    case Encoding::RadioFlag: return CheckedTag(*Bound<tk::TWinControl>(target, binding.control));
    case Encoding::ItemIndexLess1: return Bound<tk::TComboBox>(target, binding.control)->ItemIndex() - 1;
    case Encoding::ItemValue: {
        const int index = Bound<tk::TComboBox>(target, binding.control)->ItemIndex();
        if (index < 0 || index >= int(binding.values.size())) return std::nullopt;
        return binding.values[std::size_t(index)];
    }
    case Encoding::Position: return Bound<tk::TTrackBar>(target, binding.control)->Position();
    }
    return std::nullopt;
}

} // namespace

void ShowField(tk::TComponent* control, const driver::CardConfig& record) {
    const Binding* binding = FindBinding(control->Name());
    if (!binding) throw tk::EComponentError(QStringLiteral("No field is shown by %1").arg(control->Name()));
    Show(control, *binding, record.*binding->field);
    // A radio's click writes both copies, so the second shows what the first left.
    if (binding->copy) Show(control, *binding, record.*binding->copy);
}

void WriteField(tk::TComponent* control, driver::CardConfig& record) {
    const Binding* binding = FindBinding(control->Name());
    if (!binding && qobject_cast<tk::TRadioButton*>(control)) {
        control = static_cast<tk::TRadioButton*>(control)->Parent();
        binding = control ? FindBinding(control->Name()) : nullptr;
    }
    if (!binding) return;
    const std::optional<std::int32_t> value = ValueOf(control, *binding);
    if (!value) return;
    record.*binding->field = *value;
    if (binding->copy) record.*binding->copy = *value;
}

} // namespace settings
