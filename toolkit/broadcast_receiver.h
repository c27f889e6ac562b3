#pragma once
// The user's system broadcasts, told to the application's main form as the system tells a top-level
// window: WM_DEVICECHANGE with the event in wParam and its record in TMessage::Record. The form's
// result is the program's answer; with no main form yet the program grants what it is asked.
#include "platform/win_types.h"

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace platform {
class BroadcastListener;
struct DeviceChange;
} // namespace platform

namespace tk {

class BroadcastReceiver : public QObject {
public:
    BroadcastReceiver();
    ~BroadcastReceiver() override;
    BroadcastReceiver(const BroadcastReceiver&) = delete;
    BroadcastReceiver& operator=(const BroadcastReceiver&) = delete;

    // False when the runtime folder gave no socket (said on stderr); the program then runs without.
    bool Listening() const;

private:
    static win::LRESULT Deliver(platform::DeviceChange& change);

    std::unique_ptr<platform::BroadcastListener> listener_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tk
