#pragma once
// The program's information dialog, shown modally from the windows' "Info..." entries.
#include "toolkit/form.h"

namespace app {

class TAboutBox : public tk::TForm {
    Q_OBJECT

public:
    explicit TAboutBox(tk::TComponent* owner);
    ~TAboutBox() override;

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);
};

} // namespace app
