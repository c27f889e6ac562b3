#include "toolkit/message_queue.h"

#include "platform/message_post.h"

#include "toolkit/lifetime.h"
#include "toolkit/repaint_batch.h"
#include "toolkit/win_control.h"
#include "toolkit/window_table.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace tk {
namespace {

const QEvent::Type kPostedMessage = QEvent::Type(QEvent::registerEventType());
const QEvent::Type kOtherThreadsMessages = QEvent::Type(QEvent::registerEventType());

struct Message {
    win::HWND handle;
    win::UINT msg;
    win::WPARAM wparam;
    win::LPARAM lparam;
};

struct PostedMessage : QEvent {
    explicit PostedMessage(const Message& message) : QEvent(kPostedMessage), message(message) {}
    Message message;
};

// Lives on the user-interface thread as a child of the application. Messages posted on that thread
// travel in Qt's queue, in order with everything else. Messages from other threads (the multimedia
// timers' ticks, the wave drivers' notifications) wait in a queue of their own, in the order they came,
// behind a single Qt event: the timers of four windows fire together, and the loop then wakes once
// for all their messages instead of once for each. Messages posted inside a post batch wait for its
// end, so that the loop does not wake for the first of them and race the poster for the rest.
class Dispatcher : public QObject {
public:
    void Post(const Message& message) {
        if (QThread::currentThread() == thread()) {
            QCoreApplication::postEvent(this, new PostedMessage(message));
            return;
        }
        bool drain = false;
        {
            std::lock_guard lock(mutex_);
            fromOtherThreads_.push_back(message);
            if (platform::PostBatch::Open()) heldBack_ = true;
            else drain = ClaimDrain();
        }
        if (drain) PostDrain();
    }

    // A post batch ended: the messages it held back are delivered.
    void ReleaseHeldBack() {
        bool drain = false;
        {
            std::lock_guard lock(mutex_);
            if (!heldBack_) return;
            heldBack_ = false;
            drain = ClaimDrain();
        }
        if (drain) PostDrain();
    }

    bool event(QEvent* event) override {
        if (event->type() == kPostedMessage) {
            Deliver(static_cast<const PostedMessage&>(*event).message);
            return true;
        }
        if (event->type() == kOtherThreadsMessages) {
            DeliverFromOtherThreads();
            return true;
        }
        return QObject::event(event);
    }

private:
    static void Deliver(const Message& message) {
        if (TWinControl* control = WindowTable::Find(message.handle))
            RunFromQt([&] { control->Perform(message.msg, message.wparam, message.lparam); });
    }

    void DeliverFromOtherThreads() {
        {
            std::lock_guard lock(mutex_);
            drainQueued_ = false;
        }
        const RepaintBatch repaints; // the meters of every window change, and each window paints once
        while (const std::optional<Message> message = TakeFromOtherThreads()) Deliver(*message);
    }

    // One at a time, and while more wait a drain stays queued: a handler that runs a modal loop leaves
    // the rest to that loop rather than holding them up until it ends.
    std::optional<Message> TakeFromOtherThreads() {
        bool drain = false;
        Message message{};
        {
            std::lock_guard lock(mutex_);
            if (fromOtherThreads_.empty()) return std::nullopt;
            message = fromOtherThreads_.front();
            fromOtherThreads_.pop_front();
            if (!fromOtherThreads_.empty()) drain = ClaimDrain();
        }
        if (drain) PostDrain();
        return message;
    }

    // With mutex_ held: true when the caller is to post the drain event, after releasing the mutex.
    // Posted under the mutex, the event would wake this thread only to wait for the poster's unlock.
    bool ClaimDrain() { return !std::exchange(drainQueued_, true); }

    void PostDrain() { QCoreApplication::postEvent(this, new QEvent(kOtherThreadsMessages)); }

    std::mutex mutex_;
    std::deque<Message> fromOtherThreads_;
    bool drainQueued_ = false; // a kOtherThreadsMessages event waits in Qt's queue, or is being posted
    bool heldBack_ = false;    // messages came inside a post batch that has not ended yet
};

std::atomic<Dispatcher*> dispatcher{nullptr};

void ReleaseHeldBackMessages() {
    if (Dispatcher* target = dispatcher.load()) target->ReleaseHeldBack();
}

} // namespace

void PrepareMessageQueue() {
    if (dispatcher.load() || !QCoreApplication::instance()) return;
    auto* created = new Dispatcher;
    created->setParent(QCoreApplication::instance());
    QObject::connect(created, &QObject::destroyed, [] { dispatcher.store(nullptr); });
    dispatcher.store(created);
    // Wave drivers' notifications to a callback window arrive through the same queue.
    platform::SetMessagePoster(&win::PostMessageA);
    platform::SetPostBatchEnd(&ReleaseHeldBackMessages);
}

} // namespace tk

namespace win {

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    tk::Dispatcher* target = tk::dispatcher.load();
    if (!target || !tk::WindowTable::Contains(hWnd)) return FALSE;
    target->Post({hWnd, Msg, wParam, lParam});
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    tk::TWinControl* control = tk::WindowTable::Find(hWnd);
    return control ? control->Perform(Msg, wParam, lParam) : 0;
}

BOOL IsWindow(HWND hWnd) { return tk::WindowTable::Contains(hWnd) ? TRUE : FALSE; }

} // namespace win
