#pragma once
// Stands in for a window that the control window opens, so that its tests choose how the opening ends
// (opened, not initialised, silent abort, error): it carries the window's class name and caption,
// publishes Initialised and reports its closing to the control window as a real window does.
#include "toolkit/form.h"

namespace app {

class StandInWindow : public tk::TForm {
    Q_OBJECT
    Q_PROPERTY(bool Initialised READ Initialised)

public:
    // How creation ends; tests choose the failures that a real window's creation can have.
    enum class Outcome { Initialised, NotInitialised, SilentAbort, Error };

    // Creates and returns the stand-in for className ("TfrmAnalogInp"), named like the real form
    // ("frmAnalogInp"). SilentAbort and Error free it again and throw as a failed creation does.
    static StandInWindow* Create(tk::TComponent* owner, const QString& className, const QString& caption,
                                 Outcome outcome = Outcome::Initialised);

    StandInWindow(tk::TComponent* owner, const QString& className, const QString& caption, bool initialised);

    const QString& StandsFor() const { return standsFor_; }
    bool Initialised() const { return initialised_; }

    Q_INVOKABLE void FormClose(tk::TComponent* sender, tk::TCloseAction& action);

private:
    QString standsFor_;
    bool initialised_;
};

} // namespace app
