#include "toolkit/session_end.h"

#include "toolkit/application.h"
#include "toolkit/message_queue.h"
#include "platform/win_messages.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace tk {
namespace {

constexpr std::array kEndSignals = {SIGTERM, SIGINT};

int signalPipe[2] = {-1, -1};
struct sigaction previousActions[kEndSignals.size()];

void WriteSignal(int signal) {
    const int savedErrno = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

win::HWND MainFormHandle() {
    TApplication* application = TApplication::Instance();
    return application && application->MainForm() ? application->MainForm()->Handle() : 0;
}

} // namespace

SessionEndWatcher::SessionEndWatcher() {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { SignalArrived(); });
        struct sigaction action {};
        action.sa_handler = WriteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &action, &previousActions[i]);
    }
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { CommitDataRequested(manager); });
    qApp->installEventFilter(this);
}

SessionEndWatcher::~SessionEndWatcher() {
    qApp->removeEventFilter(this);
    if (!notifier_) return;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &previousActions[i], nullptr);
    delete notifier_;
    close(signalPipe[0]);
    close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void SessionEndWatcher::SignalArrived() {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (!MainFormHandle()) std::exit(0);
    win::SendMessageA(MainFormHandle(), win::WM_QUERYENDSESSION, 0, 0);
    EndSession();
}

void SessionEndWatcher::CommitDataRequested(QSessionManager& manager) {
    if (win::SendMessageA(MainFormHandle(), win::WM_QUERYENDSESSION, 0, 0) == 0) manager.cancel();
}

bool SessionEndWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::Quit) {
        EndSession();
        return true;
    }
    return false;
}

void SessionEndWatcher::EndSession() { win::SendMessageA(MainFormHandle(), win::WM_ENDSESSION, 1, 0); }

} // namespace tk
