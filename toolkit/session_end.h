#pragma once
// The end of the user's session, told to the application's main form as the system does: first
// WM_QUERYENDSESSION, then WM_ENDSESSION with wParam 1. It comes from the desktop's session manager
// and from SIGTERM and SIGINT, which are handled on the user-interface thread. A signal that arrives
// before the main form exists ends the process at once: there is no window state to save yet.
#include <QObject>

class QSessionManager;
class QSocketNotifier;

namespace tk {

class SessionEndWatcher : public QObject {
public:
    SessionEndWatcher();
    ~SessionEndWatcher() override;
    SessionEndWatcher(const SessionEndWatcher&) = delete;
    SessionEndWatcher& operator=(const SessionEndWatcher&) = delete;

protected:
    // The session manager's last word reaches the application as a Quit event.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SignalArrived();
    void CommitDataRequested(QSessionManager& manager);
    void EndSession();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tk
