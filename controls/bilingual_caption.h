#pragma once
// The German and the English caption that the program's own controls carry. The German one is shown;
// the English one only travels with the control.
#include <QString>

namespace tk {
class TControl;
}

namespace controls {

class BilingualCaption {
public:
    explicit BilingualCaption(tk::TControl* control) : control_(control) {}

    const QString& CaptionGerman() const { return german_; }
    // Shown at once.
    void SetCaptionGerman(const QString& text);
    const QString& CaptionEnglish() const { return english_; }
    void SetCaptionEnglish(const QString& text) { english_ = text; }

private:
    tk::TControl* control_;
    QString german_;
    QString english_;
};

} // namespace controls
