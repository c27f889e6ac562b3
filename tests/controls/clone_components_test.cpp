#include "controls/bilingual_controls.h"
#include "controls/clone_components.h"
#include "controls/ext_speed_button.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/bevel.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/shape.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace controls;
using tk::TComponent;
using tk::TControl;

namespace {

class Clone : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new tk::TForm(nullptr));
        strip = Add<tk::TPanel>("pnStrip", form.get(), 0, 0, 173, 200);
    }

    template <class T> T* Add(const char* name, tk::TWinControl* parent, int left, int top, int width, int height) {
        auto* control = new T(form.get());
        control->SetName(QString::fromLatin1(name));
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    template <class T> std::vector<T*> ChildrenOf(const tk::TWinControl* parent) const {
        std::vector<T*> found;
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* child = qobject_cast<T*>(parent->Controls(i))) found.push_back(child);
        return found;
    }

    // Logs each copy as class name, position and whether it had a parent yet.
    TCloneEvent Recorder() {
        return [this](TControl*& copy) {
            calls.append(QStringLiteral("%1 %2,%3%4")
                             .arg(QString::fromLatin1(copy->metaObject()->className()).section("::", -1))
                             .arg(copy->Left())
                             .arg(copy->Top())
                             .arg(copy->Parent() ? " placed" : ""));
        };
    }

    tk::Owned<tk::TForm> form;
    tk::TPanel* strip = nullptr;
    QStringList calls;
};

TEST_F(Clone, CopiesOnlyNamedChildrenShiftedAndOwnedByTheForm) {
    Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13)->SetCaption("L");
    auto* unnamed = Add<tk::TLabel>("", strip, 60, 5, 40, 13);
    unnamed->SetCaption("R");
    const int components = form->ComponentCount();
    CloneComponents(strip, strip, 173, 2, Recorder());
    EXPECT_EQ(calls, QStringList({"TLabel 183,7"})) << "final position and no parent when the callback runs";
    const auto labels = ChildrenOf<tk::TLabel>(strip);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[2]->Caption(), "L");
    EXPECT_TRUE(labels[2]->Name().isEmpty());
    EXPECT_EQ(labels[2]->Owner(), form.get());
    EXPECT_EQ(form->ComponentCount(), components + 1);
}

TEST_F(Clone, RepeatedCallsIntoTheSourceCopyTheTemplatesNotTheCopies) {
    Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13);
    Add<tk::TBevel>("bvLine", strip, 0, 40, 173, 2);
    Add<TSlider>("Slider0", strip, 20, 50, 4, 112);
    Add<TExtCheckBox>("chkLink12", strip, 19, 157, 15, 17)->SetTag(-1);
    const int named = strip->ControlCount();
    CloneComponents(strip, strip, 173, 0, nullptr);
    CloneComponents(strip, strip, 346, 0, nullptr);
    ASSERT_EQ(strip->ControlCount(), 3 * named);
    const auto boxes = ChildrenOf<tk::TCheckBox>(strip);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1]->Left(), 19 + 173);
    EXPECT_EQ(boxes[2]->Left(), 19 + 346);
    EXPECT_EQ(boxes[2]->Tag(), -1);
    EXPECT_STREQ(boxes[2]->metaObject()->className(), "tk::TCheckBox") << "a bilingual box becomes a plain one";
}

TEST_F(Clone, ACallbackThatFreesACopyDropsIt) {
    Add<tk::TBevel>("bvLine", strip, 0, 40, 173, 2);
    Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13);
    CloneComponents(strip, strip, 173, 0, [](TControl*& copy) {
        if (qobject_cast<tk::TBevel*>(copy)) tk::FreeAndNil(copy);
    });
    EXPECT_EQ(ChildrenOf<tk::TBevel>(strip).size(), 1u);
    EXPECT_EQ(ChildrenOf<tk::TLabel>(strip).size(), 2u);
}

TEST_F(Clone, AnInnerPanelIsCopiedWithItsChildrenAtTheirOwnPlaces) {
    auto* faders = Add<tk::TPanel>("pnSlider12", strip, 88, 10, 53, 185);
    faders->SetTag(3);
    Add<TSlider>("Slider0", faders, 13, 8, 4, 149);
    Add<TLevelMeter>("Meter1", faders, 30, 8, 18, 163);
    Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13);
    CloneComponents(strip, strip, 173, 4, Recorder());
    EXPECT_EQ(calls, QStringList({"TLabel 183,9", "TPanel 261,14", "TSlider 13,8", "TLevelMeter 30,8"}));
    const auto panels = ChildrenOf<tk::TPanel>(strip);
    ASSERT_EQ(panels.size(), 2u);
    tk::TPanel* copy = panels[1];
    EXPECT_EQ(copy->Tag(), 3);
    ASSERT_EQ(ChildrenOf<TSlider>(copy).size(), 1u);
    EXPECT_EQ(ChildrenOf<TSlider>(copy)[0]->BoundsRect(), QRect(13, 8, 4, 149));
    ASSERT_EQ(ChildrenOf<TLevelMeter>(copy).size(), 1u);
    EXPECT_EQ(ChildrenOf<TLevelMeter>(copy)[0]->LumiCount(), 163 / 5);
}

TEST_F(Clone, ABilingualLabelIsCopiedAsAPlainLabelWithItsCaption) {
    auto* header = Add<TExtLabel>("lbCard", strip, 10, 5, 40, 13);
    header->SetCaptionGerman("Karte #1");
    header->SetCaptionEnglish("Card #1");
    CloneComponents(strip, strip, 173, 0, nullptr);
    const auto labels = ChildrenOf<tk::TLabel>(strip);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(qobject_cast<TExtLabel*>(labels[1]), nullptr);
    EXPECT_EQ(labels[1]->Caption(), "Karte #1");
}

TEST_F(Clone, AClassOutsideTheTableFailsAndPlacesNothing) {
    Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13);
    Add<tk::TShape>("shpLed", strip, 10, 30, 10, 10);
    const int children = strip->ControlCount();
    try {
        CloneComponents(strip, strip, 173, 0, nullptr);
        FAIL() << "no error";
    } catch (const tk::EComponentError& error) {
        EXPECT_EQ(error.Message(), "CloneComponents: Komponentenklasse von shpLed nicht implementiert.");
    }
    EXPECT_EQ(strip->ControlCount(), children);
}

TEST_F(Clone, SourceAndDestMustBeContainers) {
    auto* label = Add<tk::TLabel>("lbHeader", strip, 10, 5, 40, 13);
    EXPECT_THROW(CloneComponents(label, strip, 0, 0, nullptr), tk::EInvalidCast);
    EXPECT_THROW(CloneComponents(strip, label, 0, 0, nullptr), tk::EInvalidCast);
    EXPECT_EQ(strip->ControlCount(), 1);
}

TEST_F(Clone, CopiesKeepTheirClassesStateAndHandlersWithoutRunningThem) {
    auto* mute = Add<TExtSpeedButton>("btnMute", strip, 5, 5, 20, 20);
    mute->SetGroupIndex(1);
    mute->SetAllowAllUp(true);
    mute->SetDown(true);
    auto* fader = Add<TSlider>("Slider0", strip, 40, 10, 4, 112);
    fader->SetMoveRestriction(6);
    fader->SetBtnHeight(26);
    fader->SetMax(164);
    fader->SetMin(31);
    fader->SetPosition(100);
    fader->SetNumber(1);
    auto* box = Add<tk::TCheckBox>("chkLink12", strip, 19, 157, 15, 17);
    box->SetChecked(true);
    fader->SetLinkCheck(box);
    auto* meter = Add<TLevelMeter>("Meter1", strip, 60, 10, 18, 163);
    meter->SetLumiHeight(5);
    meter->SetNumLumisRed(1);
    meter->SetLevelMaxHold(3000);
    meter->SetTimerInterval(40);
    QStringList ran;
    const auto record = [&ran](const char* what) {
        return tk::TNotifyEvent([&ran, what](TComponent* sender) { ran.append(QString::fromLatin1(what) + sender->Name()); });
    };
    mute->SetOnDown(record("down"));
    box->SetOnClick(record("click"));
    fader->SetOnChange(record("change"));
    CloneComponents(strip, strip, 173, 0, [](TControl*& copy) {
        copy->SetName(QString::fromLatin1(copy->metaObject()->className()).section("::", -1));
    });
    EXPECT_TRUE(ran.isEmpty()) << ran.join(", ").toStdString();

    auto* muteCopy = qobject_cast<TExtSpeedButton*>(form->FindComponent("TExtSpeedButton"));
    ASSERT_NE(muteCopy, nullptr);
    EXPECT_EQ(muteCopy->GroupIndex(), 1);
    EXPECT_TRUE(muteCopy->Down());
    auto* faderCopy = qobject_cast<TSlider*>(form->FindComponent("TSlider"));
    ASSERT_NE(faderCopy, nullptr);
    EXPECT_EQ(faderCopy->Position(), 100);
    EXPECT_EQ(faderCopy->Min(), 31);
    EXPECT_EQ(faderCopy->Number(), 1);
    EXPECT_EQ(faderCopy->KnobOffset(), fader->KnobOffset());
    EXPECT_EQ(faderCopy->LinkCheck(), nullptr);
    auto* boxCopy = qobject_cast<tk::TCheckBox*>(form->FindComponent("TCheckBox"));
    ASSERT_NE(boxCopy, nullptr);
    EXPECT_TRUE(boxCopy->Checked());
    auto* meterCopy = qobject_cast<TLevelMeter*>(form->FindComponent("TLevelMeter"));
    ASSERT_NE(meterCopy, nullptr);
    EXPECT_EQ(meterCopy->LumiCount(), 40);
    EXPECT_EQ(meterCopy->NumLumisRed(), 1);
    EXPECT_EQ(meterCopy->LevelMaxHold(), 3000);
    EXPECT_EQ(meterCopy->TimerInterval(), 40);

    faderCopy->SetPosition(120);
    boxCopy->SetChecked(false);
    EXPECT_EQ(ran, QStringList({"changeTSlider", "clickTCheckBox"})) << "the copies call the same handlers";
}

} // namespace
