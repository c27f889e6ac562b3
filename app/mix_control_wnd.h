#pragma once
// The control window that the tray icon opens.
#include "toolkit/form.h"

namespace app {

class TMixControlWnd : public tk::TForm {
    Q_OBJECT

public:
    explicit TMixControlWnd(tk::TComponent* owner);
    ~TMixControlWnd() override;

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);

private:
    void WMTrayNotify(tk::TMessage& message);
};

} // namespace app
