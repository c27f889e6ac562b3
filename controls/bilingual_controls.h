#pragma once
// The plain bilingual controls: the standard label, button, check box, radio button and group box with
// a German and an English caption.
#include "controls/bilingual_caption.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/radio_button.h"

namespace controls {

class TExtLabel : public tk::TLabel, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)

public:
    explicit TExtLabel(tk::TComponent* owner) : TLabel(owner), BilingualCaption(this) {}
};

class TExtButton : public tk::TButton, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)

public:
    explicit TExtButton(tk::TComponent* owner) : TButton(owner), BilingualCaption(this) {}
};

class TExtCheckBox : public tk::TCheckBox, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)

public:
    explicit TExtCheckBox(tk::TComponent* owner) : TCheckBox(owner), BilingualCaption(this) {}
};

class TExtRadioButton : public tk::TRadioButton, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)

public:
    explicit TExtRadioButton(tk::TComponent* owner) : TRadioButton(owner), BilingualCaption(this) {}
};

class TExtGroupBox : public tk::TGroupBox, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)

public:
    explicit TExtGroupBox(tk::TComponent* owner) : TGroupBox(owner), BilingualCaption(this) {}
};

} // namespace controls
