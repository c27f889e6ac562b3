#include "controls/control_classes.h"
#include "controls/fader_groups.h"
#include "controls/form_state.h"
#include "controls/slider.h"
#include "platform/registry.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"
#include "toolkit/label.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

using namespace controls;
using tk::TComponent;

namespace {

// A form whose handler counts the faders' changes, for faders read from a description.
class FaderForm : public tk::TForm {
    Q_OBJECT

public:
    using TForm::TForm;
    Q_INVOKABLE void SliderChange(tk::TComponent* sender) { changes.append(sender->Name()); }
    QStringList changes;
};

// The fader of the strip designs: travel 100 between Min 31 and Max 164.
class Fader : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new tk::TForm(nullptr));
        fader = new TSlider(form.get());
        fader->SetParent(form.get());
        fader->SetBounds(12, 12, 4, 112);
        fader->SetMoveRestriction(6);
        fader->SetBtnHeight(26);
        fader->SetBtnWidth(18);
        fader->SetMax(164);
        fader->SetMin(31);
        fader->SetPosition(31);
        fader->SetOnChange(tk::TNotifyEvent([this](TComponent*) { ++changes; }));
    }

    // Mouse events at y pixels in the knob's client area.
    void Mouse(QEvent::Type type, int y) {
        QWidget* knob = fader->Knob()->Widget();
        const QPointF at(5, y + 1); // below the knob's 1-pixel border
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, knob->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(knob, &event);
    }

    tk::Owned<tk::TForm> form;
    TSlider* fader = nullptr;
    int changes = 0;
};

TEST_F(Fader, MapsPositionsToKnobPlacesOnItsTravel) {
    EXPECT_EQ(fader->Travel(), 100);
    EXPECT_EQ(fader->Knob()->Left(), 5);
    EXPECT_EQ(fader->Knob()->Top(), 105);
    fader->SetPosition(164);
    EXPECT_EQ(fader->Knob()->Top(), 5);
    fader->SetPosition(100);
    EXPECT_EQ(fader->KnobOffset(), 52) << "RoundEven(100 x 69 / 133)";
    EXPECT_EQ(fader->Knob()->Top(), 53);
    EXPECT_EQ(fader->Knob()->Width(), 18);
    EXPECT_EQ(fader->Knob()->Height(), 26);
}

TEST_F(Fader, ClampsPositionsToItsRange) {
    fader->SetPosition(500);
    EXPECT_EQ(fader->Position(), 164);
    fader->SetPosition(-7);
    EXPECT_EQ(fader->Position(), 31);
    EXPECT_EQ(changes, 2);
}

TEST_F(Fader, DraggingMovesTheKnobWithThePointerAndStopsAtBothEnds) {
    Mouse(QEvent::MouseButtonPress, 5);
    Mouse(QEvent::MouseMove, 5 - 50);
    EXPECT_EQ(fader->KnobOffset(), 50);
    EXPECT_EQ(fader->Position(), 98) << "RoundEven(97.5)";
    EXPECT_EQ(fader->Knob()->Top(), 55);
    Mouse(QEvent::MouseMove, 5);
    EXPECT_EQ(fader->Position(), 98) << "the pointer stayed at the grab point";
    EXPECT_EQ(changes, 2) << "every move reports, also one that changes nothing";
    Mouse(QEvent::MouseMove, 5 - 1000);
    EXPECT_EQ(fader->KnobOffset(), 100);
    EXPECT_EQ(fader->Position(), 164);
    Mouse(QEvent::MouseMove, 5 + 1000);
    EXPECT_EQ(fader->KnobOffset(), 0);
    EXPECT_EQ(fader->Position(), 31);
    Mouse(QEvent::MouseButtonRelease, 5);
    Mouse(QEvent::MouseMove, 5 - 30);
    EXPECT_EQ(fader->Position(), 31) << "no drag after the button is up";
}

TEST_F(Fader, APressOnTheKnobsMarkDragsTheKnob) {
    form->SetBounds(50, 50, 100, 180);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return fader->IsSetUp(); }))
        << "the knob joins the form at the first paint";
    tk::TControl* mark = fader->Knob()->Controls(0);
    ASSERT_EQ(mark->Height(), 2);
    QWindow* window = form->WindowHandle();
    // Through the window, which hands the press to whatever lies under the pointer.
    const auto inWindow = [&](int x, int y) {
        return mark->Widget()->mapTo(form->Widget()->window(), QPoint(x, y));
    };
    for (int y : {0, 1}) {
        for (int x : {0, mark->Width() / 2, mark->Width() - 1}) {
            fader->SetPosition(31);
            const QPoint grab = inWindow(x, y);
            QTest::mousePress(window, Qt::LeftButton, {}, grab);
            QTest::mouseMove(window, grab - QPoint(0, 20));
            QTest::mouseRelease(window, Qt::LeftButton, {}, grab - QPoint(0, 20));
            EXPECT_EQ(fader->KnobOffset(), 20) << "pressed at " << x << ", " << y << " of the mark";
        }
    }
}

TEST_F(Fader, KnobSizeAndTravelChangesKeepThePositionQuietly) {
    fader->SetPosition(100);
    changes = 0;
    fader->SetBtnHeight(30);
    EXPECT_EQ(fader->Knob()->Top(), 12 + 112 - 15 - 52 - 6);
    fader->SetMoveRestriction(11);
    EXPECT_EQ(fader->Travel(), 90);
    EXPECT_EQ(fader->KnobOffset(), 47) << "RoundEven(90 x 69 / 133)";
    fader->SetHeight(212);
    EXPECT_EQ(fader->Travel(), 190);
    fader->SetWidth(10);
    EXPECT_EQ(fader->Width(), 4);
    EXPECT_EQ(fader->Position(), 100);
    EXPECT_EQ(changes, 0);
}

TEST_F(Fader, MovingTheTrackTakesTheKnobAlong) {
    fader->SetPosition(164);
    fader->SetBounds(40, 30, 4, 112);
    EXPECT_EQ(fader->Knob()->Left(), 33);
    EXPECT_EQ(fader->Knob()->Top(), 23);
}

TEST(FaderRange, ABoundThatLeavesThePositionOutsideFailsAtTheNextBound) {
    tk::Owned<TSlider> fader(new TSlider(nullptr));
    fader->SetPosition(50);
    fader->SetMin(60);
    EXPECT_EQ(fader->Min(), 60);
    EXPECT_EQ(fader->Position(), 50);
    try {
        fader->SetMax(200);
        FAIL() << "no range error";
    } catch (const tk::ERangeError& error) {
        EXPECT_EQ(error.Message(), "Wert für Position liegt außerhalb von Min und Max");
    }
    EXPECT_EQ(fader->Max(), 100);
    fader->SetPosition(70);
    EXPECT_NO_THROW(fader->SetMax(200));
    EXPECT_EQ(fader->Max(), 200);
}

TEST(FaderRange, EqualBoundsPutEveryPositionAtTheBottom) {
    tk::Owned<TSlider> fader(new TSlider(nullptr));
    fader->SetMin(20);
    fader->SetPosition(50);
    fader->SetMax(20);
    fader->SetPosition(70);
    EXPECT_EQ(fader->Position(), 20);
    EXPECT_EQ(fader->KnobOffset(), 0);
}

TEST(FaderSetUp, AFaderMadeAtRunTimeJoinsItsKnobToTheParentAtItsFirstPaint) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* fader = new TSlider(form.get());
    fader->SetParent(form.get());
    EXPECT_EQ(fader->Knob()->Parent(), nullptr);
    int changes = 0;
    fader->SetOnChange(tk::TNotifyEvent([&](TComponent*) { ++changes; }));
    form->Show();
    QApplication::processEvents();
    EXPECT_TRUE(fader->IsSetUp());
    EXPECT_EQ(fader->Knob()->Parent(), form.get());
    EXPECT_TRUE(fader->Knob()->Widget()->isVisible());
    EXPECT_EQ(changes, 1);
}

TEST(FaderSetUp, FadersReadFromADescriptionReportOnceWhateverTheOrderOfTheirBounds) {
    RegisterControlClasses();
    tk::Owned<FaderForm> form(new FaderForm(nullptr));
    tk::ReadComponentText(form.get(), uR"(object frmFaders: FaderForm
  object Slider0: TSlider
    Left = 12
    Top = 12
    Height = 112
    Min = 31
    Max = 164
    Position = 100
    BtnHeight = 26
    BtnWidth = 18
    MoveRestriction = 6
    Number = 0
    LinkCheck = chkLink12
    OnChange = SliderChange
  end
  object Slider1: TSlider
    Left = 40
    Top = 12
    Width = 10
    Height = 112
    OnChange = SliderChange
  end
  object chkLink12: TCheckBox
  end
end
)",
                          QStringLiteral("faders.txt"));
    EXPECT_EQ(form->changes, QStringList({"Slider0", "Slider1"}));
    auto* fader = static_cast<TSlider*>(form->FindComponent("Slider0"));
    EXPECT_EQ(fader->Position(), 100);
    EXPECT_EQ(fader->Knob()->Top(), 53);
    EXPECT_EQ(fader->Knob()->Parent(), form.get());
    EXPECT_EQ(fader->LinkCheck(), form->FindComponent("chkLink12"));
    EXPECT_EQ(static_cast<TSlider*>(form->FindComponent("Slider1"))->Width(), 4);
}

TEST(FaderSetUp, APanelFreedBeforeItsFaderLeavesFaderAndKnobUsable) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* panel = new tk::TPanel(form.get());
    panel->SetParent(form.get());
    auto* fader = new TSlider(form.get());
    fader->SetParent(panel);
    form->Show();
    QApplication::processEvents();
    ASSERT_EQ(fader->Knob()->Parent(), panel);
    panel->Free();
    EXPECT_EQ(fader->Parent(), nullptr);
    EXPECT_EQ(fader->Knob()->Parent(), nullptr);
    fader->SetPosition(60);
    EXPECT_EQ(fader->Position(), 60);
}

TEST(FaderSetUp, TheLinkBoxIsForgottenWhenItIsFreed) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* fader = new TSlider(form.get());
    auto* box = new tk::TCheckBox(form.get());
    fader->SetLinkCheck(box);
    box->Free();
    EXPECT_EQ(fader->LinkCheck(), nullptr);
}

TEST(FaderState, APersistedFaderKeepsItsPositionBetweenRuns) {
    std::error_code ec;
    std::filesystem::remove(platform::registry::FilePath(), ec);
    platform::registry::Reload();
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->SetName("frmFaderState");
    auto* fader = new TSlider(form.get());
    fader->SetName("Slider0");
    fader->SetTag(-1);
    fader->SetParent(form.get());
    fader->SetPosition(77);
    SaveFormState(form.get(), "kova2mix.ini", {}, -1, false);
    fader->SetPosition(10);
    int changes = 0;
    fader->SetOnChange(tk::TNotifyEvent([&](TComponent*) { ++changes; }));
    LoadFormState(form.get(), "kova2mix.ini", {}, -1, false);
    EXPECT_EQ(fader->Position(), 77);
    EXPECT_EQ(changes, 1);
}

class FaderGroups : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new tk::TForm(nullptr));
        left = AddPanel();
        right = AddPanel();
        faders = {AddFader(left, 40), AddFader(right, 60), AddFader(left, 70)};
        new tk::TLabel(form.get());
    }
    tk::TPanel* AddPanel() {
        auto* panel = new tk::TPanel(form.get());
        panel->SetParent(form.get());
        return panel;
    }
    TSlider* AddFader(tk::TPanel* panel, int position) {
        auto* fader = new TSlider(form.get());
        fader->SetParent(panel);
        fader->SetPosition(position);
        return fader;
    }

    tk::Owned<tk::TForm> form;
    tk::TPanel* left = nullptr;
    tk::TPanel* right = nullptr;
    std::vector<TSlider*> faders;
};

TEST_F(FaderGroups, VisitTheFormsFadersOrThoseOfOnePanelInOrder) {
    std::vector<TSlider*> seen;
    ForEachFader(form.get(), [&](TComponent* owner, TSlider* fader) {
        EXPECT_EQ(owner, form.get());
        seen.push_back(fader);
    });
    EXPECT_EQ(seen, faders);
    seen.clear();
    ForEachSiblingFader(faders[2], [&](TSlider* fader, TSlider* sibling) {
        EXPECT_EQ(fader, faders[2]);
        seen.push_back(sibling);
    });
    EXPECT_EQ(seen, (std::vector<TSlider*>{faders[0], faders[2]}));
}

TEST_F(FaderGroups, AVisitSkipsAFaderThatAnEarlierActionFreed) {
    int visits = 0;
    ForEachFader(form.get(), [&](TComponent*, TSlider* fader) {
        ++visits;
        if (fader == faders[0]) faders[1]->Free();
    });
    EXPECT_EQ(visits, 2);
}

TEST_F(FaderGroups, AligningBringsOnePanelsFadersToOnePosition) {
    AlignSiblingFaders(faders[2], nullptr);
    EXPECT_EQ(faders[0]->Position(), 70);
    EXPECT_EQ(faders[1]->Position(), 60);
    AlignSiblingFaders(nullptr, right);
    EXPECT_EQ(faders[1]->Position(), 60);
    faders[0]->SetPosition(10);
    AlignSiblingFaders(nullptr, left);
    EXPECT_EQ(faders[2]->Position(), 10) << "the first fader of the panel leads";
    EXPECT_NO_THROW(AlignSiblingFaders(nullptr, form.get())) << "a container without faders";
}

} // namespace

#include "slider_test.moc"
