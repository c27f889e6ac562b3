// Every channel window as a screen reader reads it, for one and for four cards: roles, the names of
// the strips' controls that show no caption, sections named by their boxes, no nameless control and
// no decoration in the tree; a fader set through its value reaches the driver as a drag does.
#include "controls/fader_groups.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "driver/wave_messages.h"
#include "simcard/hardware_state.h"
#include "tests/toolkit/accessibility_probe.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/label.h"
#include "toolkit/timer.h"
#include "windows/digital_input_window.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace windows_test {
namespace {

using tktest::AccessibleTree;
using tktest::InterfaceOf;

struct AccessibleRow {
    WindowRow window;
    int cards;
    const char* faderWord; // what the faders set, nullptr for a window without faders
};

void PrintTo(const AccessibleRow& row, std::ostream* out) {
    *out << row.window.name << row.cards;
}

class ChannelWindowAccessibility : public ChannelWindowFixture,
                                   public testing::WithParamInterface<AccessibleRow> {
protected:
    ChannelWindowAccessibility() : ChannelWindowFixture(GetParam().window) {}

    // The names of the tree's interfaces with that role, in the tree's order.
    QStringList NamesOf(QAccessible::Role role) const {
        QStringList names;
        for (QAccessibleInterface* iface : AccessibleTree(InterfaceOf(window)))
            if (iface->role() == role) names << iface->text(QAccessible::Name);
        return names;
    }

    // "Karte #k <what> links", "Karte #k <what> rechts" for every card.
    static std::set<QString> StripNames(int cards, const char* what) {
        std::set<QString> names;
        for (int card = 1; card <= cards; ++card)
            for (const char* side : {"links", "rechts"})
                names.insert(QStringLiteral("Karte #%1 %2 %3").arg(card).arg(what, side));
        return names;
    }
    static std::set<QString> AsSet(const QStringList& list) { return {list.begin(), list.end()}; }
};

TEST_P(ChannelWindowAccessibility, EveryControlHasItsRoleAndANameAndNoDecorationIsRead) {
    const AccessibleRow& param = GetParam();
    Open(param.cards);
    ASSERT_TRUE(window->Initialised());
    QAccessibleInterface* root = InterfaceOf(window);
    EXPECT_EQ(root->role(), QAccessible::Window);
    EXPECT_EQ(root->text(QAccessible::Name), window->Caption());
    EXPECT_EQ(tktest::TreeFaults(root), QStringList());

    EXPECT_EQ(AsSet(NamesOf(QAccessible::ProgressBar)), StripNames(param.cards, "Pegel"));
    const QStringList radios = NamesOf(QAccessible::RadioButton);
    EXPECT_FALSE(radios.isEmpty());
    if (param.faderWord) {
        EXPECT_EQ(AsSet(NamesOf(QAccessible::Slider)), StripNames(param.cards, param.faderWord));
        EXPECT_EQ(AsSet(NamesOf(QAccessible::Button)), StripNames(param.cards, "Stumm"));
        QStringList links;
        for (const QString& name : NamesOf(QAccessible::CheckBox))
            if (name.endsWith(QStringLiteral("Fader verbinden"))) links << name;
        EXPECT_EQ(links.size(), param.cards);
        EXPECT_TRUE(links.contains(QStringLiteral("Karte #%1 Fader verbinden").arg(param.cards)));
    } else {
        EXPECT_TRUE(NamesOf(QAccessible::Slider).isEmpty());
    }
}

TEST_P(ChannelWindowAccessibility, SectionsAreNamedByTheBoxesThatShowThem) {
    const AccessibleRow& param = GetParam();
    Open(param.cards);
    for (auto [section, box] : {std::pair{param.window.sections.upper, param.window.sections.upperBox},
                                std::pair{param.window.sections.level, param.window.sections.levelBox}}) {
        QAccessibleInterface* iface = InterfaceOf(Find<tk::TPanel>(section));
        EXPECT_EQ(iface->role(), QAccessible::Grouping) << section;
        EXPECT_EQ(iface->text(QAccessible::Name),
                  InterfaceOf(Find<tk::TCheckBox>(box))->text(QAccessible::Name))
            << section;
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << section;
    }
}

TEST_P(ChannelWindowAccessibility, FadersShowTheirPositionsInTheWindowsUnitsAndMetersTheirLevels) {
    const AccessibleRow& param = GetParam();
    Open(param.cards);
    controls::ForEachFader(window, [](tk::TComponent*, controls::TSlider* fader) {
        QAccessibleValueInterface* value = InterfaceOf(fader)->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toInt(), fader->Position());
        EXPECT_EQ(value->minimumValue().toInt(), fader->Min());
        EXPECT_EQ(value->maximumValue().toInt(), fader->Max());
    });
    for (int tag = 0; tag < 2 * param.cards; ++tag) {
        controls::TLevelMeter* meter = window->Meter(tag);
        ASSERT_NE(meter, nullptr);
        QAccessibleValueInterface* value = InterfaceOf(meter)->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->maximumValue().toInt(), meter->GetLevelMax());
    }
}

TEST_P(ChannelWindowAccessibility, LevelPollsAndTicksAreNotAnnounced) {
    if (!tktest::AccessibilityProbe::Listening()) GTEST_SKIP() << "no accessibility bridge is active";
    Card([](simcard::CardStateLayout& state) {
        for (auto& card : state.hardware)
            card.playbackRunning = 1; // the outputs' meters move too
    });
    Open(GetParam().cards);
    tktest::AccessibilityProbe probe;
    for (int poll = 0; poll < 5; ++poll) {
        window->Perform(win::WM_LEVELPOLL);
        window->Perform(win::WM_METERTICK);
    }
    int levels = 0;
    for (int tag = 0; tag < 2 * GetParam().cards; ++tag) {
        levels += window->Meter(tag)->Level();
        EXPECT_EQ(probe.CountAll(window->Meter(tag)), 0) << tag;
    }
    EXPECT_GT(levels, 0) << "the card's programme was metered";
}

INSTANTIATE_TEST_SUITE_P(Windows, ChannelWindowAccessibility,
                         testing::Values(AccessibleRow{AnalogInputRow(), 1, "Eingang"},
                                         AccessibleRow{AnalogInputRow(), 4, "Eingang"},
                                         AccessibleRow{AnalogOutputRow(), 1, "Ausgang"},
                                         AccessibleRow{AnalogOutputRow(), 4, "Ausgang"},
                                         AccessibleRow{DigitalOutputRow(), 1, nullptr},
                                         AccessibleRow{DigitalOutputRow(), 4, nullptr},
                                         AccessibleRow{DigitalInputRow(), 1, nullptr},
                                         AccessibleRow{DigitalInputRow(), 4, nullptr}),
                         [](const testing::TestParamInfo<AccessibleRow>& info) {
                             return std::string(info.param.window.name) + std::to_string(info.param.cards) +
                                    "Cards";
                         });

// A screen reader's user sets a fader of card 2 through its value: the linked partner follows and the
// card gets the pair value on the fader's handle, as after a drag.
class FaderSetThroughItsValue
    : public ChannelWindowFixture,
      public testing::WithParamInterface<std::tuple<WindowRow, win::UINT, int, std::uint32_t>> {
protected:
    FaderSetThroughItsValue() : ChannelWindowFixture(std::get<0>(GetParam())) {}
};

TEST_P(FaderSetThroughItsValue, ReachesTheDriverWithItsLinkedPartner) {
    const auto& [row, setFaders, value, pair] = GetParam();
    Open(2);
    auto* left = Find<controls::TSlider>("Slider2");
    auto* right = Find<controls::TSlider>("Slider3");
    ASSERT_TRUE(left->LinkCheck()->Checked());
    QAccessibleValueInterface* fader = InterfaceOf(left)->valueInterface();
    ASSERT_NE(fader, nullptr);
    simcard::ClearTrace();
    fader->setCurrentValue(value);
    EXPECT_EQ(left->Position(), value);
    EXPECT_EQ(right->Position(), value);
    const auto sent = TracedMessages(setFaders);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(2));
    EXPECT_EQ(sent[0].p1, pair);
}

INSTANTIATE_TEST_SUITE_P(AnalogWindows, FaderSetThroughItsValue,
                         testing::Values(std::tuple{AnalogInputRow(), driver::InSetGains, 120, 0x78007800u},
                                         std::tuple{AnalogOutputRow(), driver::OutSetVolumes, 64,
                                                    0x80008000u}),
                         [](const auto& info) { return std::string(std::get<0>(info.param).name); });

class DigitalInputAccessibility : public ChannelWindowFixture {
protected:
    DigitalInputAccessibility() : ChannelWindowFixture(DigitalInputRow()) {}
};

TEST_F(DigitalInputAccessibility, ARateCaptionThatChangesIsAnnouncedAndOneThatStaysIsNot) {
    Card([](simcard::CardStateLayout& state) { state.hardware[1].lockRate = 0; });
    if (!tktest::AccessibilityProbe::Listening()) GTEST_SKIP() << "no accessibility bridge is active";
    Open(2);
    auto* digital = static_cast<windows::TfrmDigInp*>(window);
    auto* timer = Find<tk::TTimer>("RateTimer");
    tk::TLabel* rate = digital->RateLabel(1);
    tktest::AccessibilityProbe probe;
    timer->OnTimer()(timer);
    EXPECT_EQ(InterfaceOf(rate)->text(QAccessible::Name), "No Lock");
    EXPECT_EQ(probe.Count(QAccessible::NameChanged, rate), 1);
    timer->OnTimer()(timer);
    EXPECT_EQ(probe.Count(QAccessible::NameChanged, rate), 1);
    Card([](simcard::CardStateLayout& state) { state.hardware[1].lockRate = 48000; });
    timer->OnTimer()(timer);
    EXPECT_EQ(InterfaceOf(rate)->text(QAccessible::Name), "48000 Hz");
    EXPECT_EQ(probe.Count(QAccessible::NameChanged, rate), 2);
}

class AnalogInputAccessibility : public ChannelWindowFixture {
protected:
    AnalogInputAccessibility() : ChannelWindowFixture(AnalogInputRow()) {}
};

TEST_F(AnalogInputAccessibility, EachCardsChoicesAreGroupedUnderTheirTitle) {
    Open(2);
    for (tk::TRadioButton* radio : OfCard<tk::TRadioButton>(1)) {
        QAccessibleInterface* group = InterfaceOf(radio)->parent();
        EXPECT_EQ(group->role(), QAccessible::Grouping);
        const QString name = group->text(QAccessible::Name);
        EXPECT_TRUE(name == "Karte #2 Monitor" || name == "Karte #2 Aktiv") << name.toStdString();
    }
}

} // namespace
} // namespace windows_test
