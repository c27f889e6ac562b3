#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/message_box_dialog.h"
#include "toolkit/message_queue.h"
#include "platform/message_box.h"
#include "platform/message_post.h"
#include "platform/win_messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QPointer>
#include <QThread>
#include <gtest/gtest.h>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

using namespace tk;

namespace {

// Collects the messages a form was sent.
struct Recorder {
    explicit Recorder(TForm* form) {
        form->BindMessage(win::WM_METERTICK, [this](TMessage& message) {
            ticks.push_back(message.WParam);
            message.Result = 1;
            onUiThread = onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
    }
    std::vector<win::WPARAM> ticks;
    bool onUiThread = true;
};

TEST(Messages, PerformReturnsTheResultOfTheBoundHandlerWhichMayPassOnToThePrevious) {
    Owned<TForm> form(new TForm(nullptr));
    Recorder recorder(form.get());
    EXPECT_EQ(form->Perform(win::WM_METERTICK, 7), 1);
    MessageHandler previous = form->BindMessage(win::WM_METERTICK, {});
    form->BindMessage(win::WM_METERTICK, [&previous](TMessage& message) {
        previous(message);
        message.Result += 10;
    });
    EXPECT_EQ(win::SendMessageA(form->Handle(), win::WM_METERTICK, 8, 0), 11);
    EXPECT_EQ(recorder.ticks, std::vector<win::WPARAM>({7, 8}));
    EXPECT_EQ(win::SendMessageA(0x7FFFFFF0, win::WM_METERTICK, 8, 0), 0);
}

TEST(Messages, PostMessageFromAnotherThreadIsHandledInOrderOnTheUiThread) {
    Owned<TApplication> application(new TApplication);
    auto* form = application->CreateForm<TForm>();
    Recorder recorder(form);
    const win::HWND handle = form->Handle();
    std::thread timer([handle] {
        for (win::WPARAM tick = 1; tick <= 3; ++tick) win::PostMessageA(handle, win::WM_METERTICK, tick, 0);
    });
    timer.join();
    while (recorder.ticks.size() < 3) application->HandleMessage();
    EXPECT_EQ(recorder.ticks, std::vector<win::WPARAM>({1, 2, 3}));
    EXPECT_TRUE(recorder.onUiThread);
}

// The timer thread posts the messages of one wake-up as a batch: the loop gets none of them before the
// batch ends, so it wakes once rather than racing the poster; then it gets them all, in order.
TEST(Messages, MessagesPostedInABatchArriveTogetherWhenItEnds) {
    Owned<TApplication> application(new TApplication);
    auto* form = application->CreateForm<TForm>();
    Recorder recorder(form);
    const win::HWND handle = form->Handle();
    application->ProcessMessages(); // a drain that an earlier delivery left queued
    std::promise<void> posted, checked;
    std::thread timer([&] {
        const platform::PostBatch batch;
        for (win::WPARAM tick = 1; tick <= 2; ++tick) win::PostMessageA(handle, win::WM_METERTICK, tick, 0);
        posted.set_value();
        checked.get_future().wait();
    });
    posted.get_future().wait();
    application->ProcessMessages();
    EXPECT_TRUE(recorder.ticks.empty());
    checked.set_value();
    timer.join();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (recorder.ticks.size() < 2 && std::chrono::steady_clock::now() < deadline)
        application->ProcessMessages();
    EXPECT_EQ(recorder.ticks, std::vector<win::WPARAM>({1, 2}));
}

// A handler that runs a modal loop (a message box) gets the messages that other threads posted after
// its own in that loop, still in order.
TEST(Messages, MessagesFromAnotherThreadReachAModalLoopThatAnEarlierOneRuns) {
    Owned<TApplication> application(new TApplication);
    auto* form = application->CreateForm<TForm>();
    Recorder recorder(form);
    const auto handleUntil = [&](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            application->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    std::vector<win::WPARAM> seenInModalLoop;
    bool modalLoopRan = false;
    form->BindMessage(win::WM_LEVELPOLL, [&](TMessage&) {
        modalLoopRan = true;
        handleUntil([&] { return recorder.ticks.size() == 3; });
        seenInModalLoop = recorder.ticks;
    });
    const win::HWND handle = form->Handle();
    std::thread timer([handle] {
        win::PostMessageA(handle, win::WM_LEVELPOLL, 0, 0);
        for (win::WPARAM tick = 1; tick <= 3; ++tick) win::PostMessageA(handle, win::WM_METERTICK, tick, 0);
    });
    timer.join();
    handleUntil([&] { return modalLoopRan && recorder.ticks.size() == 3; });
    EXPECT_EQ(seenInModalLoop, std::vector<win::WPARAM>({1, 2, 3}));
}

TEST(Messages, AMessageForAFormFreedWhileItWaitedIsDropped) {
    Owned<TApplication> application(new TApplication);
    auto* doomed = application->CreateForm<TForm>();
    auto* survivor = application->CreateForm<TForm>();
    bool doomedHandled = false;
    doomed->BindMessage(win::WM_LEVELPOLL, [&](TMessage&) { doomedHandled = true; });
    Recorder recorder(survivor);
    const win::HWND gone = doomed->Handle();
    EXPECT_TRUE(win::PostMessageA(gone, win::WM_LEVELPOLL, 0, 0));
    win::PostMessageA(survivor->Handle(), win::WM_METERTICK, 5, 0);
    doomed->Free();
    EXPECT_FALSE(win::IsWindow(gone));
    EXPECT_FALSE(win::PostMessageA(gone, win::WM_LEVELPOLL, 0, 0));
    application->ProcessMessages();
    EXPECT_FALSE(doomedHandled);
    EXPECT_EQ(recorder.ticks, std::vector<win::WPARAM>({5}));
}

TEST(Messages, AFormThatFreesItselfInItsMessageHandlerIsFreedAfterIt) {
    Owned<TForm> form(new TForm(nullptr));
    QPointer<TForm> alive = form.get();
    bool thereAfterFree = false;
    form->BindMessage(win::WM_CHILDCLOSED, [&](TMessage& message) {
        alive->Free();
        thereAfterFree = !alive.isNull();
        message.Result = 3;
    });
    EXPECT_EQ(form.release()->Perform(win::WM_CHILDCLOSED), 3);
    EXPECT_TRUE(thereAfterFree);
    EXPECT_TRUE(alive.isNull());
}

TEST(Application, FreesItsFormsInReverseOrderOfCreation) {
    QStringList log;
    Owned<TApplication> application(new TApplication);
    for (const char* name : {"frmMain", "MixControlWnd", "AboutBox"}) {
        auto* form = application->CreateForm<TForm>();
        form->SetName(QString::fromLatin1(name));
        form->SetOnDestroy(TNotifyEvent([&log](TComponent* sender) { log.append(sender->Name()); }));
    }
    EXPECT_EQ(application->MainForm()->Name(), "frmMain");
    application.reset();
    EXPECT_EQ(log, QStringList({"AboutBox", "MixControlWnd", "frmMain"}));
    EXPECT_EQ(Application(), nullptr);
}

TEST(Application, KeepsACaptureHookAndShowsErrorsWithItsTitle) {
    std::vector<std::string> boxes;
    auto previous = platform::SetMessageBoxHandler(
        [&](win::HWND, std::string_view text, std::string_view caption, win::UINT type) {
            boxes.push_back(std::string(caption) + "|" + std::string(text) + "|" + std::to_string(type));
            return win::IDOK;
        });
    {
        Owned<TApplication> application(new TApplication);
        application->SetTitle("Kova 2 Manager");
        HandleException(Exception("Kaputt"));
        HandleException(EAbort());
        HandleException(Exception("Fertig."));
    }
    win::MessageBoxA(0, "still captured", "after", win::MB_OK);
    platform::SetMessageBoxHandler(previous);
    EXPECT_EQ(boxes, std::vector<std::string>({"Kova 2 Manager|Kaputt.|16", "Kova 2 Manager|Fertig.|16",
                                               "after|still captured|0"}));
}

TEST(Application, TheQtMessageBoxShowsCaptionTextWithLineBreaksAndIconOverItsOwner) {
    Owned<TForm> owner(new TForm(nullptr));
    owner->Show();
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    const win::INT answer = ShowMessageBoxDialog(owner->Handle(), "Karte #2:\r\nTreiber fehlt", "Kova 2 Fehler",
                                                 win::MB_OK | win::MB_ICONHAND);
    EXPECT_EQ(answer, win::IDOK);
    EXPECT_EQ(caption, "Kova 2 Fehler");
    EXPECT_EQ(text, "Karte #2:\nTreiber fehlt");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(parent, owner->Widget());
}

} // namespace
