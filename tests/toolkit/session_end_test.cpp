#include "toolkit/application.h"
#include "toolkit/session_end.h"
#include "platform/win_messages.h"

#include <QCoreApplication>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

using namespace tk;

namespace {

struct Seen {
    win::UINT message;
    win::WPARAM wParam;
    friend bool operator==(const Seen&, const Seen&) = default;
};

class SessionEndTest : public testing::Test {
protected:
    void SetUp() override {
        application.reset(new TApplication);
        TForm* main = application->CreateForm<TForm>();
        for (win::UINT message : {win::WM_QUERYENDSESSION, win::WM_ENDSESSION})
            main->BindMessage(message, [this](TMessage& m) {
                seen.push_back({m.Msg, m.WParam});
                m.Result = 1;
            });
    }

    void HandleMessagesUntilSeen(std::size_t count) {
        for (int round = 0; round < 200 && seen.size() < count; ++round) {
            application->ProcessMessages();
            QThread::msleep(5);
        }
    }

    Owned<TApplication> application;
    std::vector<Seen> seen;
};

TEST_F(SessionEndTest, TerminationSignalsAskTheMainFormThenEndTheSession) {
    SessionEndWatcher watcher;
    for (int signal : {SIGTERM, SIGINT}) {
        seen.clear();
        std::raise(signal);
        HandleMessagesUntilSeen(2);
        EXPECT_EQ(seen, (std::vector<Seen>{{win::WM_QUERYENDSESSION, 0}, {win::WM_ENDSESSION, 1}}));
    }
}

TEST_F(SessionEndTest, SessionManagersQuitEndsTheSession) {
    SessionEndWatcher watcher;
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    EXPECT_EQ(seen, (std::vector<Seen>{{win::WM_ENDSESSION, 1}}));
}

TEST_F(SessionEndTest, SignalHandlersAreGivenBackAfterwards) {
    { SessionEndWatcher watcher; }
    struct sigaction action {};
    sigaction(SIGTERM, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL);
}

} // namespace
