#include "toolkit/message_queue.h"

#include "platform/message_post.h"

#include "toolkit/lifetime.h"
#include "toolkit/win_control.h"
#include "toolkit/window_table.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <atomic>

namespace tk {
namespace {

const QEvent::Type kPostedMessage = QEvent::Type(QEvent::registerEventType());

struct PostedMessage : QEvent {
    PostedMessage(win::HWND handle, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
        : QEvent(kPostedMessage), handle(handle), msg(msg), wparam(wparam), lparam(lparam) {}
    win::HWND handle;
    win::UINT msg;
    win::WPARAM wparam;
    win::LPARAM lparam;
};

// Lives on the user-interface thread as a child of the application, so Qt's queue carries posted
// messages in order with everything else.
class Dispatcher : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != kPostedMessage) return QObject::event(event);
        const auto& posted = static_cast<const PostedMessage&>(*event);
        if (TWinControl* control = WindowTable::Find(posted.handle))
            RunFromQt([&] { control->Perform(posted.msg, posted.wparam, posted.lparam); });
        return true;
    }
};

std::atomic<Dispatcher*> dispatcher{nullptr};

} // namespace

void PrepareMessageQueue() {
    if (dispatcher.load() || !QCoreApplication::instance()) return;
    auto* created = new Dispatcher;
    created->setParent(QCoreApplication::instance());
    QObject::connect(created, &QObject::destroyed, [] { dispatcher.store(nullptr); });
    dispatcher.store(created);
    // Wave drivers' notifications to a callback window arrive through the same queue.
    platform::SetMessagePoster(&win::PostMessageA);
}

} // namespace tk

namespace win {

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    tk::Dispatcher* target = tk::dispatcher.load();
    if (!target || !tk::WindowTable::Contains(hWnd)) return FALSE;
    QCoreApplication::postEvent(target, new tk::PostedMessage(hWnd, Msg, wParam, lParam));
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    tk::TWinControl* control = tk::WindowTable::Find(hWnd);
    return control ? control->Perform(Msg, wParam, lParam) : 0;
}

BOOL IsWindow(HWND hWnd) { return tk::WindowTable::Contains(hWnd) ? TRUE : FALSE; }

} // namespace win
