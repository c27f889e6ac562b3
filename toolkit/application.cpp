#include "toolkit/application.h"

#include "toolkit/accessibility.h"
#include "toolkit/errors.h"
#include "toolkit/look.h"
#include "toolkit/message_box_dialog.h"
#include "toolkit/message_queue.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QEventLoop>

namespace tk {
namespace {

TApplication* instance = nullptr;

} // namespace

TApplication::TApplication() : TComponent(nullptr) {
    instance = this;
    QApplication::setQuitOnLastWindowClosed(false);
    InstallClassicLook();
    InstallAccessibility();
    PrepareMessageQueue();
    platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(ShowMessageBoxDialog);
    if (previous) platform::SetMessageBoxHandler(std::move(previous));
    else ownsMessageBox_ = true;
    active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    stateConnection_ = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                        [this](Qt::ApplicationState state) {
                                            RunFromQt([&] { ApplicationStateChanged(state == Qt::ApplicationActive); });
                                        });
}

TApplication::~TApplication() {
    if (instance == this) instance = nullptr;
}

TApplication* TApplication::Instance() { return instance; }

void TApplication::BeforeDestruction() {
    QObject::disconnect(stateConnection_);
    TComponent::BeforeDestruction();
    mainForm_ = nullptr;
    if (ownsMessageBox_) platform::SetMessageBoxHandler(nullptr);
}

void TApplication::HandleMessage() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::ApplicationStateChanged(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active) onActivate_(this);
    else onDeactivate_(this);
}

void HandleException(const std::exception& error) {
    if (dynamic_cast<const platform::SilentAbortBase*>(&error)) return;
    std::string text = error.what();
    // The error display ends every message with a full stop.
    if (!text.empty() && text.back() > '.') text += '.';
    const TApplication* application = TApplication::Instance();
    const std::string caption = application ? application->Title().toStdString() : std::string("Error");
    win::MessageBoxA(0, text.c_str(), caption.c_str(), win::MB_OK | win::MB_ICONHAND);
}

} // namespace tk
