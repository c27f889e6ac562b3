#include "tests/toolkit/test_forms.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "platform/win_messages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
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

} // namespace
