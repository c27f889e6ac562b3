#pragma once
// Window timers: OnTimer runs on the user-interface thread every Interval milliseconds while Enabled.
// A timer of a form being loaded starts once loading has finished.
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <QTimer>

namespace tk {

class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(tk::TNotifyEvent OnTimer READ OnTimer WRITE SetOnTimer)

public:
    explicit TTimer(TComponent* owner);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& event);

    void Loaded() override;

private:
    void UpdateTimer();

    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 1000; // milliseconds, 0 stops the timer
    TNotifyEvent onTimer_;
};

} // namespace tk
