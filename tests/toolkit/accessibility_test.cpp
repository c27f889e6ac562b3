// What screen readers get from the toolkit's controls: roles, names as the controls show them, the
// state and actions of buttons, decoration kept out of the tree, and the events that changes send.
#include "tests/toolkit/accessibility_probe.h"
#include "toolkit/accessibility.h"
#include "toolkit/bevel.h"
#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/group_box.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/message_box_dialog.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tk;
using tktest::InterfaceOf;

namespace {

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        InstallAccessibility();
        form.reset(new TForm(nullptr));
        panel = Add<TPanel>(form.get(), "pnHolder");
    }

    template <class T> T* Add(TWinControl* parent, const char* name, const QString& caption = {}) {
        auto* control = new T(form.get());
        control->SetName(QString::fromLatin1(name));
        control->SetParent(parent);
        if (!caption.isEmpty()) control->SetCaption(caption);
        return control;
    }

    // The controls behind the panel's accessible children, in the tree's order.
    std::vector<TControl*> TreeChildren() const {
        std::vector<TControl*> found;
        QAccessibleInterface* iface = InterfaceOf(panel);
        for (int i = 0; i < iface->childCount(); ++i)
            found.push_back(tktest::ControlOf(iface->child(i)));
        return found;
    }

    Owned<TForm> form;
    TPanel* panel = nullptr;
};

TEST_F(Accessibility, EachControlReportsItsOwnRole) {
    form->SetCaption(QStringLiteral("Analog Input"));
    const struct {
        TControl* control;
        QAccessible::Role role;
    } cases[] = {
        {form.get(), QAccessible::Window},
        {panel, QAccessible::Grouping},
        {Add<TGroupBox>(panel, "grpBox", "Takt"), QAccessible::Grouping},
        {Add<TCheckBox>(panel, "chkBox", "Box"), QAccessible::CheckBox},
        {Add<TRadioButton>(panel, "btnRadio", "Radio"), QAccessible::RadioButton}, // Qt alone says CheckBox
        {Add<TLabel>(panel, "lbLabel", "Text"), QAccessible::StaticText},
        {Add<TSpeedButton>(panel, "btnSpeed", "M"), QAccessible::Button},
    };
    for (const auto& each : cases) {
        QAccessibleInterface* iface = InterfaceOf(each.control);
        ASSERT_NE(iface, nullptr) << each.control->Name().toStdString();
        EXPECT_EQ(iface->role(), each.role) << each.control->Name().toStdString();
    }
    Owned<TForm> dialog(new TForm(nullptr));
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog); // as its description sets it, before anyone asks
    EXPECT_EQ(InterfaceOf(dialog.get())->role(), QAccessible::Dialog);
}

TEST_F(Accessibility, NamesAreCaptionsAsShownUnlessANameIsGiven) {
    const struct {
        QString caption;
        QString name;
    } cases[] = {
        {" &Monitoring", "Monitoring"},
        {"bei Au&fnahmen", "bei Aufnahmen"},
        {"Laut && Leise", "Laut & Leise"},
        {"Ende&", "Ende&"},
        {"", ""},
    };
    for (const auto& each : cases) {
        auto* box = Add<TCheckBox>(panel, "chkBox");
        box->SetCaption(each.caption);
        EXPECT_EQ(InterfaceOf(box)->text(QAccessible::Name), each.name) << each.caption.toStdString();
        box->Free();
    }
    auto* mute = Add<TSpeedButton>(panel, "btnMute", "M");
    mute->SetHint(QStringLiteral("Stummschalten|Schaltet den Kanal stumm"));
    mute->SetAccessibleName(QStringLiteral("Karte #1 Stumm links"));
    EXPECT_EQ(InterfaceOf(mute)->text(QAccessible::Name), "Karte #1 Stumm links");
    EXPECT_EQ(InterfaceOf(mute)->text(QAccessible::Description), "Stummschalten");
}

TEST_F(Accessibility, DecorationAndThePartsOfOtherControlsStayOutOfTheTree) {
    auto* text = Add<TLabel>(panel, "lbText", "L");
    Add<TBevel>(panel, "bvLine");
    Add<TShape>(panel, "shpLamp");
    Add<TImage>(panel, "imgLogo");
    Add<TLabel>(panel, "lbBracketL", QStringLiteral("\u23A3"));
    Add<TLabel>(panel, "lbBracketR", QStringLiteral("\u23A6"));
    auto* knob = Add<TPanel>(panel, "pnKnob");
    Add<TLabel>(knob, "lbInKnob", "x");
    knob->SetAccessibilityHidden(true);
    (new TShape(form.get(), TSurface::parentWidget))->SetParent(panel); // drawn by the panel: no widget
    auto* box = Add<TCheckBox>(panel, "chkBox", "Box");

    const std::vector<TControl*> children = TreeChildren();
    EXPECT_EQ(children, (std::vector<TControl*>{text, box}));
    QAccessibleInterface* holder = InterfaceOf(panel);
    EXPECT_EQ(holder->indexOfChild(InterfaceOf(box)), 1);
    EXPECT_EQ(holder->indexOfChild(InterfaceOf(knob)), -1);
    EXPECT_EQ(InterfaceOf(box)->parent(), holder);
}

TEST_F(Accessibility, CheckBoxesAndRadioButtonsShowTheirStateAndAreClickedAsTheUserClicksThem) {
    auto* box = Add<TCheckBox>(panel, "chkBox", "Box");
    auto* first = Add<TRadioButton>(panel, "btnFirst", "Erster");
    auto* second = Add<TRadioButton>(panel, "btnSecond", "Zweiter");
    QStringList clicks;
    for (TControl* control : std::initializer_list<TControl*>{box, first, second})
        control->SetOnClick(TNotifyEvent([&clicks](TComponent* sender) { clicks << sender->Name(); }));
    first->SetChecked(true);
    clicks.clear();

    QAccessibleInterface* boxFace = InterfaceOf(box);
    EXPECT_TRUE(boxFace->state().checkable);
    EXPECT_FALSE(boxFace->state().checked);
    ASSERT_TRUE(
        boxFace->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    boxFace->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(boxFace->state().checked);

    QAccessibleInterface* secondFace = InterfaceOf(second);
    secondFace->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_FALSE(InterfaceOf(first)->state().checked);
    secondFace->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction()); // stays checked, no click
    EXPECT_TRUE(second->Checked());

    box->SetEnabled(false);
    boxFace->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(box->Checked()) << "a disabled box takes no click";
    EXPECT_EQ(clicks, QStringList({"chkBox", "btnSecond"}));
}

TEST_F(Accessibility, ALatchingSpeedButtonIsACheckablePushButtonThatPressAndToggleClick) {
    auto* mute = Add<TSpeedButton>(panel, "btnMute", "M");
    mute->SetBounds(4, 4, 20, 16);
    auto* plain = Add<TSpeedButton>(panel, "btnPlain", "P");
    plain->SetBounds(30, 4, 20, 16);
    mute->SetGroupIndex(1);
    mute->SetAllowAllUp(true);
    int clicks = 0;
    mute->SetOnClick(TNotifyEvent([&clicks](TComponent*) { ++clicks; }));

    QAccessibleInterface* face = InterfaceOf(mute);
    EXPECT_TRUE(face->state().checkable);
    EXPECT_FALSE(InterfaceOf(plain)->state().checkable);
    EXPECT_EQ(InterfaceOf(plain)->actionInterface()->actionNames().count(
                  QAccessibleActionInterface::toggleAction()),
              0);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(mute->Down());
    EXPECT_TRUE(face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(mute->Down());
    EXPECT_EQ(clicks, 2);

    mute->SetEnabled(false);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(mute->Down());
    EXPECT_EQ(clicks, 2);
}

TEST_F(Accessibility, ChangesOfAPaintedCaptionAndOfALatchedStateAreAnnouncedOnce) {
    auto* rate = Add<TLabel>(panel, "lbRate", "No Lock");
    auto* mute = Add<TSpeedButton>(panel, "btnMute", "M");
    mute->SetGroupIndex(1);
    mute->SetAllowAllUp(true);
    if (!tktest::AccessibilityProbe::Listening()) GTEST_SKIP() << "no accessibility bridge is active";
    tktest::AccessibilityProbe probe;
    rate->SetCaption(QStringLiteral("48000 Hz"));
    rate->SetCaption(QStringLiteral("48000 Hz"));
    EXPECT_EQ(probe.Count(QAccessible::NameChanged, rate), 1);
    EXPECT_EQ(InterfaceOf(rate)->text(QAccessible::Name), "48000 Hz");
    mute->SetDown(true);
    mute->SetDown(true);
    EXPECT_EQ(probe.Count(QAccessible::StateChanged, mute), 1);
}

// Freed inside its own click, the box's widget outlives it until Qt's event returns.
TEST_F(Accessibility, ABoxFreedByItsOwnClickLeavesAnInterfaceThatAnswersNothing) {
    auto* box = Add<TCheckBox>(panel, "chkBox", "Box");
    box->SetOnClick(TNotifyEvent([](TComponent* sender) { sender->Free(); }));
    QAccessibleInterface* iface = InterfaceOf(box);
    const QAccessible::Id id = QAccessible::uniqueId(iface);
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    ASSERT_EQ(form->FindComponent(QStringLiteral("chkBox")), nullptr);
    ASSERT_EQ(QAccessible::accessibleInterface(id), iface) << "the widget waits for its deletion";
    EXPECT_FALSE(iface->isValid());
    EXPECT_EQ(iface->text(QAccessible::Name), QString());
    EXPECT_EQ(iface->childCount(), 0);
    EXPECT_EQ(InterfaceOf(panel)->childCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST_F(Accessibility, AMessageBoxIsReadWithItsText) {
    form->Show();
    QAccessible::Role role = QAccessible::NoRole;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        role = iface->role();
        texts << iface->text(QAccessible::Name) << iface->text(QAccessible::Description);
        for (QAccessibleInterface* child : tktest::AccessibleTree(iface))
            if (child->role() == QAccessible::StaticText) texts << child->text(QAccessible::Name);
        box->button(QMessageBox::Ok)->click();
    });
    ShowMessageBoxDialog(form->Handle(), "Karte #2:\r\nTreiber fehlt", "Kova 2 Fehler", win::MB_ICONHAND);
    EXPECT_TRUE(role == QAccessible::AlertMessage || role == QAccessible::Dialog) << role;
    EXPECT_TRUE(texts.contains("Kova 2 Fehler")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Karte #2:\nTreiber fehlt")) << texts.join('|').toStdString();
}

} // namespace
