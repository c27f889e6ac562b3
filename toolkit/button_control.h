#pragma once
// The base of check boxes and radio buttons: a Qt button that keeps a checked state and shows its
// caption on one side. Setting Checked from code runs OnClick as a click of the user does, when the
// state changes to one that clicks and the control is not being loaded.
#include "toolkit/win_control.h"

class QAbstractButton;

namespace tk {

class TButtonControl : public TWinControl {
    Q_OBJECT

public:
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    // taRightJustify: the caption right of the box or circle (the usual), taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    // button becomes the control's widget; its own toggling is replaced by CheckedByClick.
    TButtonControl(TComponent* owner, QAbstractButton* button);

    // The state that a click of the user gives.
    virtual bool CheckedByClick() const = 0;
    // Whether changing to checked runs OnClick.
    virtual bool ClicksWhen(bool checked) const = 0;
    // The state changed, before OnClick runs.
    virtual void CheckedChanged() {}

    void TextChanged() override;

private:
    QAbstractButton* Button() const;

    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

} // namespace tk
