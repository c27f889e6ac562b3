#include "toolkit/broadcast_receiver.h"

#include "platform/broadcast.h"
#include "platform/win_messages.h"
#include "toolkit/application.h"
#include "toolkit/lifetime.h"

#include <QSocketNotifier>

namespace tk {

BroadcastReceiver::BroadcastReceiver()
    : listener_(std::make_unique<platform::BroadcastListener>(&BroadcastReceiver::Deliver)) {
    if (!Listening()) return;
    notifier_ = new QSocketNotifier(listener_->Descriptor(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this,
            [this] { RunFromQt([this] { listener_->HandlePending(); }); });
}

// The notifier goes before the socket it watches.
BroadcastReceiver::~BroadcastReceiver() {
    delete notifier_;
}

bool BroadcastReceiver::Listening() const {
    return listener_->Descriptor() >= 0;
}

win::LRESULT BroadcastReceiver::Deliver(platform::DeviceChange& change) {
    TApplication* application = TApplication::Instance();
    TForm* mainForm = application ? application->MainForm() : nullptr;
    if (!mainForm) return win::TRUE;
    TMessage message;
    message.Msg = win::WM_DEVICECHANGE;
    message.WParam = change.event;
    message.Record = change.Record();
    mainForm->Perform(message);
    return message.Result;
}

} // namespace tk
