#include "toolkit/bevel.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

template <class T> T* Add(TWinControl* parent, const char* name) {
    auto* control = new T(parent->Owner() ? parent->Owner() : parent);
    control->SetName(QString::fromLatin1(name));
    control->SetParent(parent);
    return control;
}

TEST(Control, ChildOrderIsNonWindowedFirstAndWindowedStackAbove) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = Add<TPanel>(form.get(), "pn1");
    auto* label = Add<TLabel>(form.get(), "lb1");
    auto* box = Add<TCheckBox>(form.get(), "chk1");
    auto* bevel = Add<TBevel>(form.get(), "bv1");
    QStringList order;
    for (int i = 0; i < form->ControlCount(); ++i) order.append(form->Controls(i)->Name());
    EXPECT_EQ(order, QStringList({"lb1", "bv1", "pn1", "chk1"}));

    // Qt stacks a widget's children bottom to top in its child list.
    QList<QWidget*> stack;
    for (QObject* child : form->Widget()->children())
        if (auto* widget = qobject_cast<QWidget*>(child)) stack.append(widget);
    EXPECT_EQ(stack, QList<QWidget*>({label->Widget(), bevel->Widget(), panel->Widget(), box->Widget()}));
}

TEST(Control, ParentFontReachesChildrenUntilTheyGetAFontOfTheirOwn) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = Add<TPanel>(form.get(), "pn1");
    auto* label = Add<TLabel>(form.get(), "lb1");
    label->SetParent(panel);
    form->Font()->SetName("Arial");
    form->Font()->SetHeight(-13);
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_TRUE(label->ParentFont());

    label->Font()->SetStyle(TFontStyle::fsUnderline);
    EXPECT_FALSE(label->ParentFont());
    form->Font()->SetHeight(-20);
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_EQ(panel->Font()->Height(), -20);
    EXPECT_EQ(panel->Widget()->font().pixelSize(), 20) << "inherited through Qt";
}

TEST(Control, FontSizesInPointsArePixelsAt96PerInchAndFamiliesMapToInstalledOnes) {
    TFont font;
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11);
    font.SetSize(18);
    EXPECT_EQ(font.Height(), -24);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
    font.SetName("MS Sans Serif");
    EXPECT_EQ(font.ToQFont().family(), "Liberation Sans");
    EXPECT_EQ(font.ToQFont().pixelSize(), 13);
}

TEST(Control, HintsShowWhereShowHintIsOnForTheControlOrItsParents) {
    Owned<TForm> form(new TForm(nullptr));
    auto* box = Add<TCheckBox>(form.get(), "chk1");
    box->SetHint("Verbinde/Trenne Fader 1-2|long text");
    EXPECT_EQ(box->Widget()->toolTip(), "");
    form->SetShowHint(true);
    EXPECT_EQ(box->Widget()->toolTip(), "Verbinde/Trenne Fader 1-2");
    box->SetShowHint(false);
    EXPECT_EQ(box->Widget()->toolTip(), "");
}

TEST(Control, AControlWithoutParentNeverBecomesAWindowOfItsOwn) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = Add<TPanel>(form.get(), "pn1");
    form->Show();
    EXPECT_TRUE(panel->Widget()->isVisible());
    panel->SetParent(nullptr);
    panel->Show();
    EXPECT_FALSE(panel->Widget()->isVisible());
    EXPECT_FALSE(panel->Showing());
    panel->SetParent(form.get());
    EXPECT_TRUE(panel->Showing());
    EXPECT_THROW(form->SetParent(panel), EComponentError);
}

} // namespace
