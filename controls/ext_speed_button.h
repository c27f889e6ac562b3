#pragma once
// The bilingual speed button. OnDown tells when the button goes down, by a click or by SetDown; it runs
// after OnClick. The base class's SetDown (used by the window-state restore) does not run it.
#include "controls/bilingual_caption.h"
#include "toolkit/speed_button.h"

namespace controls {

class TExtSpeedButton : public tk::TSpeedButton, public BilingualCaption {
    Q_OBJECT
    Q_PROPERTY(tk::TNotifyEvent OnDown READ OnDown WRITE SetOnDown)
    Q_PROPERTY(QString HintEnglish READ HintEnglish WRITE SetHintEnglish)
    Q_PROPERTY(QString HintGerman READ HintGerman WRITE SetHintGerman)
    Q_PROPERTY(QString CaptionEnglish READ CaptionEnglish WRITE SetCaptionEnglish)
    Q_PROPERTY(QString CaptionGerman READ CaptionGerman WRITE SetCaptionGerman)
    Q_PROPERTY(bool Down READ GetDown WRITE SetDown)

public:
    explicit TExtSpeedButton(tk::TComponent* owner) : TSpeedButton(owner), BilingualCaption(this) {}

    const QString& HintGerman() const { return hintGerman_; }
    // Becomes the Hint at once.
    virtual void SetHintGerman(const QString& text);
    const QString& HintEnglish() const { return hintEnglish_; }
    virtual void SetHintEnglish(const QString& text) { hintEnglish_ = text; }
    virtual bool GetDown() const { return Down(); }
    virtual void SetDown(bool down);

    const tk::TNotifyEvent& OnDown() const { return onDown_; }
    void SetOnDown(const tk::TNotifyEvent& event) { onDown_ = event; }

protected:
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;

private:
    void NotifyIfWentDown(bool wasDown);

    QString hintGerman_;
    QString hintEnglish_;
    tk::TNotifyEvent onDown_;
};

} // namespace controls
