#include "toolkit/button.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

// Records its own end in a shared log.
class Witness : public TComponent {
public:
    Witness(TComponent* owner, QString name, QStringList& log) : TComponent(owner), log_(log) { SetName(name); }
    ~Witness() override { log_.append(Name()); }

private:
    QStringList& log_;
};

void FlushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(Component, OwnerFreesItsComponentsLastFirstAndForgetsOnesFreedEarlier) {
    QStringList log;
    auto* owner = new Witness(nullptr, "owner", log);
    auto* a = new Witness(owner, "a", log);
    new Witness(owner, "b", log);
    auto* c = new Witness(owner, "c", log);
    new Witness(c, "c1", log);
    a->Free();
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner->Free();
    EXPECT_EQ(log, QStringList({"a", "c1", "c", "b", "owner"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwnerWithoutCase) {
    Owned<TComponent> owner(new TComponent(nullptr));
    auto* first = new TComponent(owner.get());
    first->SetName("Panel1");
    auto* second = new TComponent(owner.get());
    EXPECT_THROW(second->SetName("panel1"), EComponentError);
    EXPECT_THROW(second->SetName("1Panel"), EComponentError);
    second->SetName("Panel2");
    EXPECT_EQ(owner->FindComponent("PANEL2"), second);
    EXPECT_EQ(second->ComponentIndex(), 1);
}

TEST(Component, APanelFreedBeforeItsChildrenLeavesThemToTheirOwner) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    QPointer<QWidget> labelWidget = label->Widget();
    QPointer<QWidget> buttonWidget = button->Widget();

    panel->Free();
    ASSERT_TRUE(labelWidget && buttonWidget) << "Qt must not free the children's widgets with the panel's";
    EXPECT_EQ(label->Parent(), nullptr);
    EXPECT_EQ(button->Parent(), nullptr);
    EXPECT_FALSE(buttonWidget->isVisible());
    EXPECT_EQ(form->ControlCount(), 0);

    button->SetParent(form.get());
    EXPECT_EQ(buttonWidget->parentWidget(), form->Widget());
    form.reset();
    EXPECT_TRUE(labelWidget.isNull() && buttonWidget.isNull());
}

TEST(Component, AControlFreedByItsOwnClickIsFreedWhenTheClickReturns) {
    Owned<TForm> form(new TForm(nullptr));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    QPointer<TButton> alive = button;
    bool stillThereInHandler = false;
    button->SetOnClick(TNotifyEvent([&](TComponent* sender) {
        sender->Free();
        stillThereInHandler = !alive.isNull();
    }));
    form->Show();
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    EXPECT_TRUE(stillThereInHandler);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(form->ControlCount(), 0);
    FlushDeferredDeletes();
}

TEST(Component, APanelFreedByTheClickOfItsChildWaitsForTheClick) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* button = new TButton(panel);
    button->SetParent(panel);
    QPointer<TPanel> alivePanel = panel;
    bool panelThereAfterFree = false;
    button->SetOnClick(TNotifyEvent([&](TComponent*) {
        alivePanel->Free();
        panelThereAfterFree = !alivePanel.isNull();
    }));
    form->Show();
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    EXPECT_TRUE(panelThereAfterFree);
    EXPECT_TRUE(alivePanel.isNull());
    FlushDeferredDeletes();
}

TEST(Component, AFormFreedByItsOwnOnShowIsFreedOnceShowingHasFinished) {
    auto* form = new TForm(nullptr);
    QPointer<TForm> alive = form;
    form->SetOnShow(TNotifyEvent([](TComponent* sender) { sender->Free(); }));
    form->Show();
    EXPECT_TRUE(alive.isNull());
    FlushDeferredDeletes();
}

TEST(Component, FreeingAFormFreesItsOwnedFormsFirstAndRunsOnDestroyWithTheFormWhole) {
    QStringList log;
    auto* parent = new TForm(nullptr);
    parent->SetName("parent");
    auto* child = new TForm(parent);
    child->SetName("child");
    // Only forms that completed their creation report their end.
    parent->AfterConstruction();
    child->AfterConstruction();
    const auto record = [&log](TComponent* sender) { log.append(sender->Name() + ":" + QString::number(sender->ComponentCount())); };
    parent->SetOnDestroy(TNotifyEvent(record));
    child->SetOnDestroy(TNotifyEvent(record));
    new TLabel(child);
    parent->Free();
    EXPECT_EQ(log, QStringList({"parent:1", "child:1"}));
}

} // namespace
