#pragma once
// The program's information dialog, shown modally from the windows' "Info..." entries.
#include "toolkit/form.h"

namespace tk {
class TLabel;
}

namespace app {

class TAboutBox : public tk::TForm {
    Q_OBJECT

public:
    explicit TAboutBox(tk::TComponent* owner);
    ~TAboutBox() override;

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);

protected:
    void DeclareParts(tk::FormParts& parts) override;

private:
    tk::TLabel* lbName_ = nullptr;
    tk::TLabel* lbVersion_ = nullptr;
    tk::TLabel* lbSys_ = nullptr;
};

} // namespace app
