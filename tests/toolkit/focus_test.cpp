// OnEnter and OnExit with real focus on a shown window: they follow the focus from control to control
// of a form, and a modal box over the form (its deactivation and reactivation) runs neither.
#include "tests/toolkit/modal_box_answer.h"
#include "toolkit/form.h"
#include "toolkit/lifetime.h"
#include "toolkit/message_box_dialog.h"
#include "toolkit/radio_button.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

using namespace tk;

namespace {

class Focus : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new TForm(nullptr));
        form->SetBounds(100, 100, 200, 120);
        first = Radio("first", 8);
        second = Radio("second", 32);
        form->Show();
        form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
        first->SetFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return first->Focused(); }));
        log.clear();
    }

    TRadioButton* Radio(const char* name, int top) {
        auto* radio = new TRadioButton(form.get());
        radio->SetName(QString::fromLatin1(name));
        radio->SetParent(form.get());
        radio->SetBounds(8, top, 120, 17);
        radio->SetOnEnter(TNotifyEvent([this](TComponent* sender) { log << "enter " + sender->Name(); }));
        radio->SetOnExit(TNotifyEvent([this](TComponent* sender) { log << "exit " + sender->Name(); }));
        return radio;
    }

    // A real modal box over the form, answered once it has taken the focus.
    void ShowModalBox() {
        ModalBoxAnswer answer;
        ShowMessageBoxDialog(form->Handle(), "Kein Wechsel möglich.", "Kova 2 Fehler", win::MB_ICONERROR);
        EXPECT_EQ(answer.answered, 1);
    }

    // The form active again, with its focus where it was.
    void WaitForTheFormBack() {
        form->Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
        QTest::qWait(50);
    }

    QStringList log; // outlives the form, whose freeing moves the focus
    Owned<TForm> form;
    TRadioButton* first = nullptr;
    TRadioButton* second = nullptr;
};

TEST_F(Focus, AClickMovesTheFocusFromControlToControlAndAModalBoxOverTheFormRunsNeitherEvent) {
    second->SetOnClick(TNotifyEvent([this](TComponent*) {
        log << "click";
        ShowModalBox();
        log << "box closed";
    }));
    QTest::mouseClick(second->Widget(), Qt::LeftButton, {}, QPoint(6, 8));
    WaitForTheFormBack();
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(log.join(", ").toStdString(), "exit first, enter second, click, box closed");

    log.clear();
    first->SetFocus();
    EXPECT_EQ(log.join(", ").toStdString(), "exit second, enter first")
        << "the box did not take the focus from the form";
}

TEST_F(Focus, AFocusedControlThatIsFreedRunsNoOnExitWhenTheFocusMovesOn) {
    first->Free();
    second->SetFocus();
    EXPECT_EQ(log.join(", ").toStdString(), "enter second");
}

} // namespace
