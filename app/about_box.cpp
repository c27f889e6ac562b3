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

void TAboutBox::FormCreate(tk::TComponent*) {
    const auto setCaption = [this](const char* name, const QString& text) {
        if (auto* label = qobject_cast<tk::TLabel*>(FindComponent(QString::fromLatin1(name))))
            label->SetCaption(text);
    };
    setCaption("lbName", QStringLiteral("Kova 2"));
    setCaption("lbVersion", QStringLiteral("Version 2.06"));
    setCaption("lbSys", QStringLiteral("für Windows(tm) 95/98/ME"));
}

} // namespace app
