#pragma once
// The application object: owns the forms it creates (the first is the main form) and frees them in
// reverse order of creation; runs the message loop one message at a time; shows message boxes and
// errors with Qt. The program does not quit when its last window closes.
#include "toolkit/component.h"
#include "toolkit/event.h"
#include "toolkit/form.h"

#include <QMetaObject>

namespace tk {

class TApplication : public TComponent {
    Q_OBJECT

public:
    // Needs a QApplication. Installs the Qt message box behind MessageBoxA unless a handler (a test's
    // capture) is already installed.
    TApplication();
    ~TApplication() override;

    // The one application object, nullptr when none exists.
    static TApplication* Instance();

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    template <class T, class... Args> T* CreateForm(Args&&... args) {
        T* form = tk::CreateForm<T>(this, std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = form;
        return form;
    }
    TForm* MainForm() const { return mainForm_; }

    // Waits for at least one message and handles what is pending.
    void HandleMessage();
    // Handles the messages that are pending, without waiting.
    void ProcessMessages();
    bool Terminated() const { return terminated_; }
    void Terminate() { terminated_ = true; }

    // The application gained or lost the focus.
    const TNotifyEvent& OnActivate() const { return onActivate_; }
    void SetOnActivate(const TNotifyEvent& event) { onActivate_ = event; }
    const TNotifyEvent& OnDeactivate() const { return onDeactivate_; }
    void SetOnDeactivate(const TNotifyEvent& event) { onDeactivate_ = event; }
    bool Active() const { return active_; }

protected:
    void BeforeDestruction() override;

private:
    void ApplicationStateChanged(bool active);

    QString title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool active_ = false;
    bool ownsMessageBox_ = false;
    QMetaObject::Connection stateConnection_;
    TNotifyEvent onActivate_;
    TNotifyEvent onDeactivate_;
};

// The application object; nullptr when none exists.
inline TApplication* Application() { return TApplication::Instance(); }

} // namespace tk
