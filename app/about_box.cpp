#include "app/about_box.h"

#include "app/process_state.h"
#include "toolkit/label.h"
#include "controls/control_classes.h"

namespace app {

TAboutBox::TAboutBox(tk::TComponent* owner) : TForm(owner, QStringLiteral(":/forms/about.form")) {
    controls::RegisterControlClasses(); // the description uses them
    AboutBox = this;
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::DeclareParts(tk::FormParts& parts) {
    parts.Add("lbName", lbName_);
    parts.Add("lbVersion", lbVersion_);
    parts.Add("lbSys", lbSys_);
}

void TAboutBox::FormCreate(tk::TComponent*) {
    lbName_->SetCaption(QStringLiteral("Kova 2"));
    lbVersion_->SetCaption(QStringLiteral("Version 2.06"));
    lbSys_->SetCaption(QStringLiteral("für Windows(tm) 95/98/ME"));
}

} // namespace app
