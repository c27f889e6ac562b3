#include "tests/driver/message_box_capture.h"
#include "tests/toolkit/test_forms.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/errors.h"
#include "toolkit/panel.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "platform/window_position.h"

#include <QCoreApplication>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

using namespace tk;
using tktest::RecordingForm;

namespace {

TEST(Form, OuterSizeIsClientSizePlusTheFrameOfItsBorderStyle) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(4, 0, 167, 159);
    EXPECT_EQ(form->ClientWidth(), 159);
    EXPECT_EQ(form->ClientHeight(), 132);
    EXPECT_EQ(form->Widget()->size(), QSize(159, 132));

    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetClientWidth(294);
    form->SetClientHeight(296);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 321);
    EXPECT_EQ(form->Widget()->size(), QSize(294, 296));

    form->SetBorderStyle(TFormBorderStyle::bsNone);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 321);
}

TEST(Form, TheUserResizingTheWindowChangesTheOuterSizeByTheSameAmount) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 444, 200);
    form->Show();
    form->Widget()->resize(436, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Width(), 444);
    EXPECT_EQ(form->Height(), 327);
}

TEST(Form, SizeLimitsComeFromWmGetMinMaxInfoAndBoundTheProgramAndTheUser) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(4, 0, 167, 159);
    int allowedHeight = 0; // 0: no limits yet, as before creation completes
    form->BindMessage(win::WM_GETMINMAXINFO, [&allowedHeight](TMessage& message) {
        if (allowedHeight == 0) return;
        auto* info = message.RecordAs<win::MINMAXINFO>();
        info->ptMinTrackSize = {167, allowedHeight};
        info->ptMaxTrackSize = {167, allowedHeight};
    });
    form->SetHeight(300);
    EXPECT_EQ(form->Height(), 300);

    allowedHeight = 159;
    form->Show();
    EXPECT_EQ(form->Height(), 159) << "showing asks again";
    form->SetBounds(4, 0, 400, 400);
    EXPECT_EQ(form->Width(), 167);
    EXPECT_EQ(form->Height(), 159);
    EXPECT_EQ(form->Widget()->maximumSize(), QSize(159, 132)) << "what the user can drag to";
    EXPECT_EQ(form->Widget()->minimumSize(), QSize(159, 132));

    allowedHeight = 200; // the content grew: the window follows
    form->SetHeight(200);
    EXPECT_EQ(form->ClientHeight(), 173);
    EXPECT_EQ(form->Widget()->maximumSize(), QSize(159, 173));
}

TEST(Form, CloseDoesWhatOnCloseDecides) {
    Owned<RecordingForm> form(new RecordingForm(nullptr));
    form->SetOnClose(*TCloseEvent::Method(form.get(), "FormClose"));
    form->SetOnShow(*TNotifyEvent::Method(form.get(), "FormShow"));
    form->Show();
    EXPECT_TRUE(form->Widget()->isVisible());

    form->closeAction = TCloseAction::caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());

    form->closeAction = TCloseAction::caHide;
    form->Widget()->close(); // the window's close button
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Widget()->isVisible());
    EXPECT_EQ(form->log, QStringList({"show", "close", "close"}));

    form->Show();
    form->closeAction = TCloseAction::caFree;
    QPointer<RecordingForm> alive = form.get();
    form->Close();
    EXPECT_FALSE(alive.isNull()) << "freed only once the queued messages are handled";
    form.release();
    QCoreApplication::processEvents();
    EXPECT_TRUE(alive.isNull());
}

// A failing show handler must not leave a form that counts as shown but has no window on screen.
TEST(Form, AnErrorInTheShowHandlerGoesToTheErrorDisplayAndTheFormShows) {
    MessageBoxCapture boxes;
    Owned<TForm> form(new TForm(nullptr));
    form->SetOnShow(TNotifyEvent([](TComponent*) { throw Exception("Kaputt"); }));
    form->Show();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Kaputt.");
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Widget()->isVisible());
}

TEST(Form, ShowModalReturnsTheModalResultOfTheButtonThatEndedIt) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetPosition(TPosition::poScreenCenter);
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    QTimer::singleShot(0, [ok] { ok->Widget()->setFocus(); ok->Click(); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_FALSE(form->Visible());

    QTimer::singleShot(0, [&form] { form->Close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(Form, ClosingTheMainFormTerminatesTheApplicationAndLeavesTheFormAlone) {
    Owned<TApplication> application(new TApplication);
    auto* main = application->CreateForm<TForm>();
    auto* other = application->CreateForm<TForm>();
    EXPECT_EQ(application->MainForm(), main);
    other->Show();
    other->Close();
    EXPECT_FALSE(application->Terminated());
    main->Show();
    main->Close();
    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(main->Visible());
}

TEST(Form, MessagesWithoutHandlerGetTheWindowsDefaultHandling) {
    Owned<TForm> form(new TForm(nullptr));
    form->Show();
    form->Perform(win::WM_SYSCOMMAND, 0xF020);
    EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
    form->Perform(win::WM_SYSCOMMAND, 0xF120);
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    form->Perform(win::WM_CLOSE);
    EXPECT_FALSE(form->Visible());
}

TEST(Form, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    Owned<TForm> form(new TForm(nullptr));
    QStringList clicks;
    const auto button = [&](const char* name) {
        auto* b = new TButton(form.get());
        b->SetName(QString::fromLatin1(name));
        b->SetParent(form.get());
        b->SetOnClick(TNotifyEvent([&clicks](TComponent* sender) { clicks.append(sender->Name()); }));
        return b;
    };
    button("btnOK")->SetDefault(true);
    button("btnCancel")->SetCancel(true);
    button("btnOther");
    form->Show();
    QTest::keyClick(form->Widget(), Qt::Key_Return);
    QTest::keyClick(form->Widget(), Qt::Key_Escape);
    EXPECT_EQ(clicks, QStringList({"btnOK", "btnCancel"}));
}

TEST(Form, OnResizeRunsWhenTheSizeChangesNotWhenTheFormMoves) {
    Owned<TForm> form(new TForm(nullptr));
    int resizes = 0;
    form->SetOnResize(TNotifyEvent([&resizes](TComponent*) { ++resizes; }));
    form->SetLeft(50);
    EXPECT_EQ(resizes, 0);
    form->SetHeight(300);
    form->SetClientWidth(100);
    EXPECT_EQ(resizes, 2);
}

TEST(Form, SystemMenuEntriesCanBeAddedAndChangedByCommand) {
    Owned<TForm> form(new TForm(nullptr));
    TSystemMenu& menu = form->SystemMenu();
    const std::size_t standard = menu.Entries().size();
    menu.AppendSeparator();
    menu.Append(0x1234, " Pegelanzeige", true);
    EXPECT_TRUE(menu.Modify(0x1234, " Fenstersteuerung anzeigen", false));
    EXPECT_FALSE(menu.Modify(0x4321, "nothing", true));
    ASSERT_EQ(menu.Entries().size(), standard + 2);
    EXPECT_EQ(menu.Entries().back().text, " Fenstersteuerung anzeigen");
    EXPECT_FALSE(menu.Entries().back().checked);
    EXPECT_EQ(&form->SystemMenu(), &menu);
    EXPECT_NE(menu.Handle(), 0u);
}

TEST(Form, SetWindowPosTakesAFormIntoOrOutOfTheTopmostBandOnly) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(10, 20, 200, 100);
    form->Show();
    const auto onTop = [&form] { return form->WindowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); };
    constexpr win::UINT inPlace = win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE;
    EXPECT_EQ(win::SetWindowPos(form->Handle(), win::HWND_TOPMOST, 0, 0, 0, 0, inPlace), win::TRUE);
    EXPECT_TRUE(onTop());
    EXPECT_EQ(form->BoundsRect(), QRect(10, 20, 200, 100));
    EXPECT_EQ(win::SetWindowPos(form->Handle(), win::HWND_NOTOPMOST, 0, 0, 0, 0, inPlace), win::TRUE);
    EXPECT_FALSE(onTop());

    // Moving and sizing go through the bounds; a child has no place in the screen's z-order.
    EXPECT_EQ(win::SetWindowPos(form->Handle(), win::HWND_TOPMOST, 0, 0, 50, 50, win::SWP_NOMOVE),
              win::FALSE);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    EXPECT_EQ(win::SetWindowPos(panel->Handle(), win::HWND_TOPMOST, 0, 0, 0, 0, inPlace), win::FALSE);
    const win::HWND gone = panel->Handle();
    panel->Free();
    EXPECT_EQ(win::SetWindowPos(gone, win::HWND_TOPMOST, 0, 0, 0, 0, inPlace), win::FALSE);
    EXPECT_FALSE(onTop());
}

} // namespace
